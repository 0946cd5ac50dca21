#include "engine/windows1252.h"

#include <array>

namespace {

// Code points of the bytes 80 to 9F.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char kNoForm = '?';

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at text[pos]. On success stores the code point, advances pos
// and returns true; on an invalid sequence leaves pos unchanged and returns false.
bool DecodeOne(std::string_view text, size_t& pos, char32_t& cp) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char b0 = byte(pos);
    if (b0 < 0x80) {
        cp = b0;
        ++pos;
        return true;
    }
    size_t length = 0;
    unsigned char low = 0x80;   // bounds of the second byte, which exclude overlong forms,
    unsigned char high = 0xBF;  // surrogates and values above U+10FFFF
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
        cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        cp = b0 & 0x0F;
        if (b0 == 0xE0) low = 0xA0;
        if (b0 == 0xED) high = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        cp = b0 & 0x07;
        if (b0 == 0xF0) low = 0x90;
        if (b0 == 0xF4) high = 0x8F;
    } else {
        return false;
    }
    if (pos + length > text.size()) return false;
    for (size_t i = 1; i < length; ++i) {
        const unsigned char b = byte(pos + i);
        const unsigned char lo = i == 1 ? low : 0x80;
        const unsigned char hi = i == 1 ? high : 0xBF;
        if (b < lo || b > hi) return false;
        cp = (cp << 6) | (b & 0x3F);
    }
    pos += length;
    return true;
}

char ByteOrNoForm(char32_t cp) {
    const int b = CodePointToWindows1252(cp);
    return b < 0 ? kNoForm : static_cast<char>(b);
}

}  // namespace

char32_t Windows1252ToCodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
    return byte;
}

int CodePointToWindows1252(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) return static_cast<int>(codePoint);
    for (size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == codePoint) return static_cast<int>(0x80 + i);
    }
    return -1;
}

std::string Windows1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (const char c : text) AppendUtf8(out, Windows1252ToCodePoint(static_cast<unsigned char>(c)));
    return out;
}

std::optional<std::string> Utf8ToWindows1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        char32_t cp = 0;
        if (!DecodeOne(text, pos, cp)) return std::nullopt;
        out += ByteOrNoForm(cp);
    }
    return out;
}

std::string Utf8ToWindows1252Lossy(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        char32_t cp = 0;
        if (DecodeOne(text, pos, cp)) {
            out += ByteOrNoForm(cp);
        } else {
            out += kNoForm;
            ++pos;
        }
    }
    return out;
}
