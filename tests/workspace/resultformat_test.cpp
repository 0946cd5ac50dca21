#include "resultformat.h"

#include <gtest/gtest.h>

TEST(ResultFormat, SizeText) {
    const std::pair<int32_t, const char*> cases[] = {
        {0, "0 octets"},       {1023, "1023 octets"}, {1024, "1.00 Ko"},       {1536, "1.50 Ko"},
        {12345, "12.10 Ko"},   {10235, "10.00 Ko"},   {10230, "9.99 Ko"},      {1152, "1.13 Ko"},
        {102400, "100.00 Ko"}, {372000, "363.00 Ko"}, {1048576, "1020.00 Ko"}, {124248, "121.00 Ko"},
    };
    for (const auto& [length, text] : cases)
        EXPECT_EQ(SizeText(length), text) << length;
}

TEST(ResultFormat, DensityText) {
    EXPECT_EQ(DensityText(12), "12%");
    EXPECT_EQ(DensityText(0), "0%");
    EXPECT_EQ(DensityText(-1), "- %");
}
