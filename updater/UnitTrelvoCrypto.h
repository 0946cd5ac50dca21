#pragma once

// The scrambling of the updater's settings file: per field, three length bytes in base 255
// then the text, each character XORed with the high byte of a 16-bit state that the stored
// byte then advances.

#include <cstdint>
#include <string>
#include <string_view>

// Each of the five fields of the settings file starts from a value of its own.
inline constexpr uint16_t FieldStartValues[5] = {0x5A3C, 0x1F77, 0xC0DE, 0x7E11, 0x9B42};
inline constexpr uint16_t StateMultiplier = 0x6C8D;
inline constexpr uint16_t StateAddend = 0x3A29;

// The longest text a field holds.
inline constexpr size_t MaxFieldLength = 255;

// The three length bytes (most significant first, base 255) and the scrambled text.
std::string ScrambleField(std::string_view text, uint16_t start);

// The text of the stored bytes of a field.
std::string UnscrambleText(std::string_view stored, uint16_t start);
