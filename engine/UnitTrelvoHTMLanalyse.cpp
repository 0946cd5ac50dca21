#include "engine/UnitTrelvoHTMLanalyse.h"

#include <cstdint>
#include <cstring>
#include <limits>

namespace {

struct RowSource {
    const char* entity;
    unsigned char character;
    const char* plain;
};

constexpr std::array<RowSource, EntityTable::RowCount> kRows = {{
    {"&Agrave;", 0xC0, "A"}, {"&Aacute;", 0xC1, "A"}, {"&Acirc;", 0xC2, "A"},  {"&Atilde;", 0xC3, "A"},
    {"&Auml;", 0xC4, "A"},   {"&Aring;", 0xC5, "A"},  {"&AElig;", 0xC6, ""},   {"&Ccedil;", 0xC7, "C"},
    {"&Egrave;", 0xC8, "E"}, {"&Eacute;", 0xC9, "E"}, {"&Ecirc;", 0xCA, "E"},  {"&Euml;", 0xCB, "E"},
    {"&Igrave;", 0xCC, "I"}, {"&Iacute;", 0xCD, "I"}, {"&Icirc;", 0xCE, "I"},  {"&Iuml;", 0xCF, "I"},
    {"&Ntilde;", 0xD1, "N"}, {"&Ograve;", 0xD2, "O"}, {"&Oacute;", 0xD3, "O"}, {"&Ocirc;", 0xD4, "O"},
    {"&Otilde;", 0xD5, "O"}, {"&Ouml;", 0xD6, "O"},   {"&Oslash;", 0xD8, ""},  {"&Ugrave;", 0xD9, "U"},
    {"&Uacute;", 0xDA, "U"}, {"&Ucirc;", 0xDB, "U"},  {"&Uuml;", 0xDC, "U"},   {"&Yacute;", 0xDD, "Y"},
    {"&agrave;", 0xE0, "a"}, {"&aacute;", 0xE1, "a"}, {"&acirc;", 0xE2, "a"},  {"&atilde;", 0xE3, "a"},
    {"&auml;", 0xE4, "a"},   {"&aring;", 0xE5, "a"},  {"&aelig;", 0xE6, ""},   {"&ccedil;", 0xE7, "c"},
    {"&egrave;", 0xE8, "e"}, {"&eacute;", 0xE9, "e"}, {"&ecirc;", 0xEA, "e"},  {"&euml;", 0xEB, "e"},
    {"&igrave;", 0xEC, "i"}, {"&iacute;", 0xED, "i"}, {"&icirc;", 0xEE, "i"},  {"&iuml;", 0xEF, "i"},
    {"&ntilde;", 0xF1, "n"}, {"&ograve;", 0xF2, "o"}, {"&oacute;", 0xF3, "o"}, {"&ocirc;", 0xF4, "o"},
    {"&otilde;", 0xF5, "o"}, {"&ouml;", 0xF6, "o"},   {"&oslash;", 0xF8, ""},  {"&ugrave;", 0xF9, "u"},
    {"&uacute;", 0xFA, "u"}, {"&ucirc;", 0xFB, "u"},  {"&uuml;", 0xFC, "u"},   {"&yacute;", 0xFD, "y"},
    {"&yuml;", 0xFF, "y"},   {"&nbsp;", 0x20, ""},    {"&amp;", 0x26, ""},     {"&gt;", 0x3E, ""},
    {"&quot;", 0x22, ""},    {"&#233;", 0xE9, ""},    {"&#62;", 0x3E, ""},     {"&lt;", 0x3C, ""},
}};

// Longest entity of the table ("&Agrave;" and its kin).
constexpr size_t kLongestEntity = 8;

// Replaces the entities of rows first..last in one pass. Every entity begins with "&", ends
// with its only ";" and holds no other "&", so two occurrences never overlap, and the
// characters these rows produce never form a new entity of these rows: a single pass gives
// what applying the rows one after the other, each until it no longer occurs, would give.
std::string DecodeRows(const EntityTable& table, std::string_view text, int first, int last) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const size_t amp = text.find('&', i);
        if (amp == std::string_view::npos) break;
        out.append(text, i, amp - i);
        const size_t window = std::min(kLongestEntity, text.size() - amp);
        const void* semi = std::memchr(text.data() + amp, ';', window);
        int row = 0;
        size_t length = 0;
        if (semi != nullptr) {
            length = static_cast<const char*>(semi) - (text.data() + amp) + 1;
            row = table.FindRow(text.substr(amp, length));
        }
        if (row >= first && row <= last) {
            out += table.Row(row).Character;
            i = amp + length;
        } else {
            out += '&';
            i = amp + 1;
        }
    }
    if (i < text.size()) out.append(text, i);
    return out;
}

// "&amp;" becomes "&", which may start a new "&amp;" with what follows ("&amp;amp;" ends as
// "&"). Only the newly written "&" can begin such an occurrence, so an occurrence is always a
// suffix of the output at the moment its ";" is written.
std::string DecodeAmpersands(std::string_view text) {
    constexpr std::string_view kAmp = "&amp;";
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        out += c;
        if (c == ';' && out.size() >= kAmp.size() &&
            out.compare(out.size() - kAmp.size(), kAmp.size(), kAmp) == 0) {
            out.resize(out.size() - kAmp.size());
            out += '&';
        }
    }
    return out;
}

// Digits only, at least one, and a value within a 32-bit signed integer.
bool ReadReference(std::string_view content, int64_t& value) {
    if (content.empty()) return false;
    value = 0;
    for (const char c : content) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<int32_t>::max()) return false;
    }
    return true;
}

std::string DecodeNumericReferences(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (true) {
        const size_t start = text.find("&#", i);
        if (start == std::string_view::npos) break;
        out.append(text, i, start - i);
        i = start + 2;
        const size_t semi = text.find(';', i);
        if (semi == std::string_view::npos) break;
        const std::string_view content = text.substr(i, semi - i);
        i = semi + 1;
        int64_t value = 0;
        if (ReadReference(content, value)) {
            out += static_cast<char>(value % 256);
        } else {
            out += "&#";
            out += content;
            out += ';';
        }
    }
    out.append(text, i);
    return out;
}

char HexDigit(int v) {
    return "0123456789ABCDEF"[v & 0xF];
}

bool IsAsciiAlnum(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

EntityTable::EntityTable() {
    for (int i = 0; i < RowCount; ++i) {
        rows_[i] = {kRows[i].entity, static_cast<char>(kRows[i].character), kRows[i].plain};
    }
    for (int i = 1; i <= RowCount; ++i) rowOf_.emplace(Row(i).Entity, i);
    // When two rows share a character, the first one in table order decides.
    for (int i = FoldRowCount; i >= 1; --i)
        fold_[static_cast<unsigned char>(Row(i).Character)] = &Row(i).Plain;
}

int EntityTable::FindRow(std::string_view entity) const {
    const auto it = rowOf_.find(entity);
    return it == rowOf_.end() ? 0 : it->second;
}

const EntityTable& BuildEntityTable() {
    static const EntityTable table;
    return table;
}

std::string DecodeEntities(std::string_view text) {
    std::string decoded = DecodeNumericReferences(text);
    if (decoded.find('&') == std::string::npos) return decoded;
    const EntityTable& table = BuildEntityTable();
    decoded = DecodeRows(table, decoded, 1, EntityTable::AmpRow - 1);
    decoded = DecodeAmpersands(decoded);
    return DecodeRows(table, decoded, EntityTable::AmpRow + 1, EntityTable::RowCount);
}

std::string FoldAccents(std::string_view text) {
    const EntityTable& table = BuildEntityTable();
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const std::string* plain = table.FoldOf(static_cast<unsigned char>(c));
        if (plain == nullptr) {
            out += c;
        } else {
            out += *plain;
        }
    }
    return out;
}

std::string LowerCaseAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

std::string UpperCaseAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

std::string GetAttribute(std::string_view name, std::string_view tag) {
    const std::string upperTag = UpperCaseAscii(tag);
    const std::string key = UpperCaseAscii(name) + "=";
    const size_t at = upperTag.find(key);
    if (at == std::string::npos) return {};
    const std::string_view rest = tag.substr(at + key.size());
    if (rest.empty()) return {};
    const char first = rest.front();
    if (first == '"' || first == '\'') {
        const size_t close = rest.find(first, 1);
        if (close == std::string_view::npos) return {};
        return std::string(rest.substr(1, close - 1));
    }
    size_t end = rest.find(' ');
    if (end == std::string_view::npos) {
        end = rest.find('>');
        if (end == std::string_view::npos) return {};
    }
    return std::string(rest.substr(0, end));
}

std::string FormEncode(std::string_view text, int flag) {
    std::string out;
    out.reserve(text.size() * 3);
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == ' ') {
            out += '+';
        } else if (IsAsciiAlnum(c) || (flag == 1 && (c == '-' || c == '_'))) {
            out += ch;
        } else {
            out += '%';
            out += HexDigit(c >> 4);
            out += HexDigit(c);
        }
    }
    return out;
}
