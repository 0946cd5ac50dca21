#include "workspace/resultformat.h"

#include <gtest/gtest.h>

TEST(ResultFormat, SizeText) {
    const std::pair<int32_t, const char*> cases[] = {
        {0, "0 octets"},       {1023, "1023 octets"}, {1024, "1.00 Ko"},       {1536, "1.50 Ko"},
        {12345, "12.10 Ko"},   {10235, "10.00 Ko"},   {10230, "9.99 Ko"},      {1152, "1.13 Ko"},
        {102400, "100.00 Ko"}, {372000, "363.00 Ko"}, {1048576, "1020.00 Ko"}, {124248, "121.00 Ko"},
    };
    for (const auto& [length, text] : cases) EXPECT_EQ(SizeText(length), text) << length;
}

TEST(ResultFormat, DensityText) {
    EXPECT_EQ(DensityText(12), "12%");
    EXPECT_EQ(DensityText(0), "0%");
    EXPECT_EQ(DensityText(-1), "- %");
}

TEST(ColourScale, DensityIndex) {
    const std::pair<int32_t, int> cases[] = {{0, 10}, {1, 9},  {5, 9},  {6, 8},  {10, 8}, {11, 7},
                                             {15, 7}, {16, 6}, {20, 6}, {21, 5}, {25, 5}, {26, 4},
                                             {30, 4}, {31, 3}, {35, 3}, {36, 2}, {40, 2}, {41, 1},
                                             {45, 1}, {46, 0}, {50, 0}, {51, 0}, {60, 0}, {200, 0}};
    for (const auto& [density, index] : cases) EXPECT_EQ(DensityColourIndex(density), index) << density;
    // 21 on (255, 204, 0) with black text; 20 on (255, 153, 0) with white text.
    EXPECT_EQ(ColourScale[DensityColourIndex(21)], (Rgb{255, 204, 0}));
    EXPECT_FALSE(WhiteTextOn(DensityColourIndex(21)));
    EXPECT_EQ(ColourScale[DensityColourIndex(20)], (Rgb{255, 153, 0}));
    EXPECT_TRUE(WhiteTextOn(DensityColourIndex(20)));
    EXPECT_EQ(ColourScale[DensityColourIndex(0)], (Rgb{249, 0, 0}));
}

TEST(ColourScale, ShareIndexIsExact) {
    struct ShareCase {
        int32_t words, total;
        int index;
    };
    const ShareCase cases[] = {
        {0, 0, 10}, {5, 0, 10},   {40, 40, 0}, {0, 40, 10},
        {3, 21, 8}, {8, 21, 6},   {1, 10, 9},  // 90 exactly, not 89.99999
        {3, 10, 7}, {7, 10, 3},   {1, 3, 6},   {2, 3, 3},
        {9, 10, 1}, {99, 100, 0}, {50, 40, 0},  // more words than the page holds: kept on the scale
    };
    for (const ShareCase& c : cases)
        EXPECT_EQ(ShareColourIndex(c.words, c.total), c.index) << c.words << "/" << c.total;
}

TEST(ResultFormat, ShareText) {
    struct ShareCase {
        int32_t words, total;
        const char* text;
    };
    const ShareCase cases[] = {
        {10, 40, "25"},          {1, 3, "33.3"},      {40, 40, "100"},   {1, 21, "4.76"},
        {3, 120, "2.5"},         {0, 40, "0"},        {5, 0, "0"},       {850, 852, "99.8"},
        {2, 3, "66.7"},          {1, 8, "12.5"},      {49, 400, "12.3"},  // 12.25: the half goes up
        {1, 124000, "0.000806"}, {1999, 2000, "100"}, {1, 1000, "0.1"},  {3, 1000, "0.3"},
    };
    for (const ShareCase& c : cases)
        EXPECT_EQ(ShareText(c.words, c.total), c.text) << c.words << "/" << c.total;
}
