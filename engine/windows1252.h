#pragma once

// The one converter between the program's 8-bit text (Windows-1252, one byte per character)
// and Unicode. Everything that leaves or enters the engine as Unicode goes through here.

#include <optional>
#include <string>
#include <string_view>

// Code point of a Windows-1252 byte. The five bytes the code page leaves undefined
// (81, 8D, 8F, 90, 9D) stand for the C1 code point of the same number.
char32_t Windows1252ToCodePoint(unsigned char byte);

// Byte of a code point, or -1 when the code point has no Windows-1252 form.
int CodePointToWindows1252(char32_t codePoint);

// Windows-1252 text as UTF-8.
std::string Windows1252ToUtf8(std::string_view text);

// Strict UTF-8 decoding into Windows-1252. Characters with no Windows-1252 form become "?".
// Returns nothing when the text is not valid UTF-8 (stray or missing continuation bytes,
// overlong forms, surrogates, values above U+10FFFF).
std::optional<std::string> Utf8ToWindows1252(std::string_view text);

// Lenient variant for text that must get through whatever it holds (command-line arguments,
// widget texts): every byte sequence that is not valid UTF-8 becomes one "?" per byte.
std::string Utf8ToWindows1252Lossy(std::string_view text);
