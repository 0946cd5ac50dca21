#include "engine/UnitTrelvoHTMLanalyse.h"

#include <cstdint>
#include <cstring>
#include <limits>

#include "engine/bytescan.h"

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

// Every pass below only ever shortens the text: each works in place, in the one buffer of the
// decoding, writing at or before where it reads, and returns the new length.

// Replaces the entities of rows first..last in one pass. Every entity begins with "&", ends
// with its only ";" and holds no other "&", so two occurrences never overlap, and the
// characters these rows produce never form a new entity of these rows: a single pass gives
// what applying the rows one after the other, each until it no longer occurs, would give.
size_t DecodeRows(const EntityTable& table, char* text, size_t size, int first, int last) {
    char* o = text;
    const char* p = text;
    const char* end = text + size;
    while (p < end) {
        const char* amp = FindByte(p, end, '&');
        std::memmove(o, p, static_cast<size_t>(amp - p));
        o += amp - p;
        if (amp == end) break;
        const size_t window = std::min<size_t>(kLongestEntity, static_cast<size_t>(end - amp));
        size_t length = 1;
        while (length < window && amp[length] != ';') ++length;
        int row = 0;
        if (length < window) {
            ++length;  // the ";"
            row = table.FindRow(std::string_view(amp, length));
        }
        if (row >= first && row <= last) {
            *o++ = table.Row(row).Character;
            p = amp + length;
        } else {
            *o++ = '&';
            p = amp + 1;
        }
    }
    return static_cast<size_t>(o - text);
}

// "&amp;" becomes "&", which may start a new "&amp;" with what follows ("&amp;amp;" ends as
// "&"). Only the newly written "&" can begin such an occurrence, so an occurrence is always a
// suffix of the output at the moment its ";" is written.
size_t DecodeAmpersands(char* text, size_t size) {
    char* o = text;
    const char* p = text;
    const char* end = text + size;
    while (p < end) {
        const char* semi = FindByte(p, end, ';');
        std::memmove(o, p, static_cast<size_t>(semi - p));
        o += semi - p;
        if (semi == end) break;
        // What was written, with this ";", ends as "&amp;": it becomes "&".
        if (o - text >= 4 && std::memcmp(o - 4, "&amp", 4) == 0) {
            o -= 3;  // "amp" goes, the "&" stays
        } else {
            *o++ = ';';
        }
        p = semi + 1;
    }
    return static_cast<size_t>(o - text);
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

size_t DecodeNumericReferences(char* text, size_t size) {
    char* o = text;
    const auto put = [&](const char* from, const char* to) {
        std::memmove(o, from, static_cast<size_t>(to - from));
        o += to - from;
    };
    const char* p = text;
    const char* end = text + size;
    while (true) {
        const char* start = p;
        while ((start = FindByte(start, end, '&')) != end && (end - start < 2 || start[1] != '#')) ++start;
        if (start == end) break;
        put(p, start);
        p = start + 2;
        const char* semi = FindByte(p, end, ';');
        if (semi == end) break;  // the "&#" goes, the rest stays
        const std::string_view content(p, static_cast<size_t>(semi - p));
        p = semi + 1;
        int64_t value = 0;
        if (ReadReference(content, value)) {
            *o++ = static_cast<char>(value % 256);
        } else {
            put(start, p);
        }
    }
    put(p, end);
    return static_cast<size_t>(o - text);
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
    for (int i = RowCount; i >= 1; --i) {
        // The first row of an entity decides; every entity fits the packed form.
        const std::string& entity = Row(i).Entity;
        const uint64_t key = Pack(entity);
        size_t slot = SlotOf(key);
        while (packed_[slot].row != 0 && !(packed_[slot].key == key && packed_[slot].length == entity.size()))
            slot = (slot + 1) % packed_.size();
        packed_[slot] = {key, entity.size(), i};
    }
    // When two rows share a character, the first one in table order decides.
    for (int i = FoldRowCount; i >= 1; --i)
        fold_[static_cast<unsigned char>(Row(i).Character)] = &Row(i).Plain;
}

uint64_t EntityTable::Pack(std::string_view entity) {
    uint64_t key = 0;
    std::memcpy(&key, entity.data(), std::min(entity.size(), sizeof key));
    return key;
}

size_t EntityTable::SlotOf(uint64_t key) {
    return static_cast<size_t>((key * 0x9E3779B97F4A7C15ULL) >> 57);
}

int EntityTable::FindRow(std::string_view entity) const {
    if (entity.size() > sizeof(uint64_t)) return 0;
    const uint64_t key = Pack(entity);
    for (size_t slot = SlotOf(key); packed_[slot].row != 0; slot = (slot + 1) % packed_.size()) {
        if (packed_[slot].key == key && packed_[slot].length == entity.size()) return packed_[slot].row;
    }
    return 0;
}

const EntityTable& BuildEntityTable() {
    static const EntityTable table;
    return table;
}

std::string DecodeEntities(std::string_view text) {
    std::string decoded(text);
    size_t size = DecodeNumericReferences(decoded.data(), decoded.size());
    if (std::memchr(decoded.data(), '&', size) != nullptr) {
        const EntityTable& table = BuildEntityTable();
        size = DecodeRows(table, decoded.data(), size, 1, EntityTable::AmpRow - 1);
        size = DecodeAmpersands(decoded.data(), size);
        size = DecodeRows(table, decoded.data(), size, EntityTable::AmpRow + 1, EntityTable::RowCount);
    }
    decoded.resize(size);
    return decoded;
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

namespace {

// A letter compared without its case: clearing the bit of lower case leaves the capital, which
// only the letter itself, in either case, gives.
bool SameLetters(const char* text, std::string_view name) {
    for (size_t k = 0; k < name.size(); ++k) {
        if ((text[k] & ~0x20) != (name[k] & ~0x20)) return false;
    }
    return true;
}

}  // namespace

size_t FindBeforeEquals(std::string_view text, std::string_view name) {
    size_t from = name.size();
    while (from < text.size()) {
        const char* equals = FindByte(text.data() + from, text.data() + text.size(), '=');
        if (equals == text.data() + text.size()) break;
        const auto at = static_cast<size_t>(equals - text.data());
        if (SameLetters(text.data() + at - name.size(), name)) return at - name.size();
        from = at + 1;
    }
    return std::string_view::npos;
}


std::string GetAttribute(std::string_view name, std::string_view tag) {
    // The first place where the tag, upper-cased, reads NAME=.
    const size_t at = FindBeforeEquals(tag, name);
    if (at == std::string_view::npos) return {};
    const std::string_view rest = tag.substr(at + name.size() + 1);
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
