// Cutting the received bytes into page lines, with the size cap.

#include <gtest/gtest.h>

#include "engine/pagelines.h"

namespace {

struct Split {
    std::vector<std::string> lines;
    bool complete;
    int32_t fetched;
};

Split SplitBytes(std::string_view bytes) {
    Split s;
    s.fetched = 0;
    s.complete = LoadMemoFromMemoryStream(s.lines, bytes, s.fetched);
    return s;
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(PageLines, Separators) {
    struct LinesCase {
        std::string bytes;
        Lines lines;
    };
    const LinesCase cases[] = {
        {"abc\r\ndef", {"abc", "def"}},
        {"abc\n\rdef", {"abc", "def"}},  // LF CR makes an empty line, which is dropped
        {"abc\rdef\n", {"abc", "def"}},
        {"abc\r\n\r\n\r\ndef\r\n", {"abc", "def"}},
        {"\r\n", {}},
        {"", {}},
        {std::string("ab\0cd\r\nef", 9), {"ab", "ef"}},
        {std::string("\0abc\ndef", 8), {"def"}},
        {"\t  \n", {"\t  "}},
    };
    for (const LinesCase& c : cases) EXPECT_EQ(SplitBytes(c.bytes).lines, c.lines) << c.bytes;
}

TEST(PageLines, CapIsOnLineTextOnly) {
    // 124000 characters of line text in 1000-character lines, separators not counted.
    std::string page;
    for (int i = 0; i < 124; ++i) page += std::string(1000, 'a' + i % 26) + "\r\n";
    Split whole = SplitBytes(page);
    EXPECT_TRUE(whole.complete);
    EXPECT_EQ(whole.lines.size(), 124u);
    EXPECT_EQ(whole.fetched, 124000);

    // One character more, at the end: the last line is dropped.
    Split cut = SplitBytes(page + "x");
    EXPECT_FALSE(cut.complete);
    EXPECT_EQ(cut.lines.size(), 124u);
    EXPECT_GT(cut.fetched, PageSizeCap);

    // The 100th line crosses the cap: it and all after it are dropped.
    std::string early = page;
    early.insert(99 * 1002, std::string(24001, 'q'));
    cut = SplitBytes(early);
    EXPECT_FALSE(cut.complete);
    EXPECT_EQ(cut.lines.size(), 99u);
}

TEST(PageLines, OneLineOverTheCap) {
    Split cut = SplitBytes("short\n" + std::string(PageSizeCap, 'z'));
    EXPECT_FALSE(cut.complete);
    EXPECT_EQ(cut.lines, Lines{"short"});
}

TEST(PageLines, TotalRunsOnAcrossCalls) {
    Lines lines;
    int32_t fetched = PageSizeCap - 3;
    EXPECT_TRUE(LoadMemoFromMemoryStream(lines, "abc", fetched));
    EXPECT_FALSE(LoadMemoFromMemoryStream(lines, "d", fetched));
    EXPECT_EQ(lines, Lines{"abc"});
}
