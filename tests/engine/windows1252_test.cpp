#include "engine/windows1252.h"

#include <gtest/gtest.h>

TEST(Windows1252, EveryByteSurvivesTheTripThroughUnicode) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    const std::optional<std::string> back = Utf8ToWindows1252(Windows1252ToUtf8(all));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, all);
}

TEST(Windows1252, HighBytesMapToTheirCodePoints) {
    EXPECT_EQ(Windows1252ToCodePoint(0x80), U'\u20AC');
    EXPECT_EQ(Windows1252ToCodePoint(0x8C), U'\u0152');
    EXPECT_EQ(Windows1252ToCodePoint(0x92), U'\u2019');
    EXPECT_EQ(Windows1252ToCodePoint(0x9F), U'\u0178');
    EXPECT_EQ(Windows1252ToCodePoint(0xE9), U'\u00E9');
    // The five undefined bytes stand for the C1 code point of the same number, and back.
    for (const unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        EXPECT_EQ(Windows1252ToCodePoint(b), static_cast<char32_t>(b));
        EXPECT_EQ(CodePointToWindows1252(b), b);
    }
}

TEST(Windows1252, OnlyFiveC1CodePointsHaveAByte) {
    int withByte = 0;
    for (char32_t cp = 0x80; cp <= 0x9F; ++cp) withByte += CodePointToWindows1252(cp) >= 0;
    EXPECT_EQ(withByte, 5);
    EXPECT_EQ(CodePointToWindows1252(0x80), -1);
    EXPECT_EQ(CodePointToWindows1252(0x2019), 0x92);
    EXPECT_EQ(CodePointToWindows1252(0x3A9), -1);  // Greek capital omega
}

TEST(Windows1252, CharactersWithoutAFormBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToWindows1252("caf\xC3\xA9 \xE2\x82\xAC"), std::optional<std::string>("caf\xE9 \x80"));
    EXPECT_EQ(Utf8ToWindows1252("\xCE\xA9 \xF0\x9F\x98\x80 \xC2\x80"), std::optional<std::string>("? ? ?"));
}

TEST(Windows1252, InvalidUtf8IsRefused) {
    const char* const cases[] = {
        "\xC0\xAF",          // overlong "/"
        "\xE0\x80\xAF",      // overlong in three bytes
        "\xF0\x80\x80\xAF",  // overlong in four bytes
        "\xED\xA0\x80",      // surrogate
        "\xF4\x90\x80\x80",  // above U+10FFFF
        "\xF5\x80\x80\x80",  // no such lead byte
        "caf\xC3",           // truncated
        "\xE2\x82",          // truncated
        "\x80",              // stray continuation byte
        "caf\xE9",           // Latin-1
    };
    for (const char* text : cases) EXPECT_FALSE(Utf8ToWindows1252(text).has_value()) << text;
}

TEST(Windows1252, LossyDecodingMarksEachBadByte) {
    EXPECT_EQ(Utf8ToWindows1252Lossy("caf\xE9 \xC3\xA9t\xC3\xA9"), "caf? \xE9t\xE9");
    EXPECT_EQ(Utf8ToWindows1252Lossy("\xED\xA0\x80"), "???");
}
