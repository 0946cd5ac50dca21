// The coding of the server's replies: numbers in base 255, scrambled text fields, and replies
// cut short.

#include "shell/replycoding.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (const int v : values) bytes += static_cast<char>(v);
    return bytes;
}

}  // namespace

TEST(ReplyCoding, NumbersAreInBase255) {
    const struct {
        int high;
        int low;
        int number;
    } cases[] = {{0, 0, 0},   {0, 255, 255},     {1, 0, 255}, {1, 1, 256},
                 {0, 17, 17}, {255, 255, 65280}, {2, 7, 517}};
    for (const auto& c : cases) {
        ReplyReader reader(Bytes({9, 9, c.high, c.low}));
        EXPECT_EQ(reader.ReadNumber(), c.number) << c.high << "," << c.low;
        EXPECT_EQ(reader.ReadPos, 4u);
    }
    // The writer picks one of the two forms of 255 and of every multiple of it.
    for (const int number : {0, 1, 254, 255, 256, 510, 65279, 65280}) {
        ReplyWriter writer(3, 4);
        writer.WriteNumber(number);
        ReplyReader reader(writer.Bytes());
        EXPECT_EQ(reader.ReadNumber(), number);
    }
    ReplyWriter writer(0, 0);
    EXPECT_THROW(writer.WriteNumber(65281), std::out_of_range);
    EXPECT_THROW(writer.WriteNumber(-1), std::out_of_range);
    EXPECT_THROW(ReplyWriter(256, 0), std::out_of_range);
}

TEST(ReplyCoding, TheReaderTakesTheKeysFromTheFirstTwoBytes) {
    ReplyReader reader(Bytes({200, 7, 0, 3, 'a', 'b', 'c'}));
    EXPECT_EQ(reader.ResponseKey1, 200);
    EXPECT_EQ(reader.ResponseKey2, 7);
    EXPECT_EQ(reader.ReadPos, 2u);
    EXPECT_EQ(reader.ReadField(reader.ReadNumber()), "abc");
    EXPECT_EQ(reader.ReadField(0), "");
    EXPECT_EQ(reader.ReadPos, 7u);
}

TEST(ReplyCoding, DescrambleFollowsItsRunningValue) {
    // With no keys and a start of 0, the first byte comes through unchanged; the running value
    // is then 2 × 65 = 130, and 255 − 3 × 130 = −135 is brought up by 255 to 120.
    EXPECT_EQ(Descramble(Bytes({65, 255}), 0, 0, 0), Bytes({65, 120}));
    // Keys 2 and 3 (K = 6), start 100: 7 − (6 + 300) = −299 gives 211; the running value
    // 2 × 211 + 54 + 700 = 1176 is brought down to 156.
    EXPECT_EQ(Descramble(Bytes({7, 0}), 2, 3, 100), Bytes({211, 36}));  // 0 − 474 brought up twice
    EXPECT_EQ(Descramble("", 17, 42, 1000000), "");
    // Key products of 0 leave only the running value: the keys 0,9 and 9,0 and 0,0 agree.
    const std::string text = "mise à jour";
    EXPECT_EQ(Descramble(text, 0, 9, 41), Descramble(text, 0, 0, 41));
    EXPECT_EQ(Descramble(text, 9, 0, 41), Descramble(text, 0, 0, 41));
    // A start value far above 255 is accepted and gives one byte per byte.
    EXPECT_EQ(Descramble(text, 255, 255, 101 + 3 * 255 * 255).size(), text.size());
    EXPECT_EQ(Descramble(text, 255, 255, 1'000'000'000'000), Descramble(text, 255, 255, 1'000'000'000'000));
    EXPECT_THROW(Descramble(text, 1, 1, -1), std::out_of_range);
}

TEST(ReplyCoding, EveryTextWithoutTheByte255MakesTheRoundTrip) {
    std::mt19937 random(41);
    std::uniform_int_distribution<int> key(0, 255);
    std::uniform_int_distribution<int> byte(0, 254);
    std::uniform_int_distribution<int> length(0, 40);
    std::uniform_int_distribution<int64_t> start(0, 5'000'000);
    for (int round = 0; round < 5000; ++round) {
        const int key1 = key(random);
        const int key2 = key(random);
        const int64_t from = round % 10 == 0 ? round % 300 : start(random);
        std::string text(static_cast<size_t>(length(random)), '\0');
        for (char& c : text) c = static_cast<char>(byte(random));
        ReplyWriter writer(key1, key2);
        writer.WriteText(text, from);
        writer.WriteText("fin", from + 1);
        ReplyReader reader(writer.Bytes());
        ASSERT_EQ(reader.ReadText(from), text) << "keys " << key1 << "," << key2 << " start " << from;
        ASSERT_EQ(reader.ReadText(from + 1), "fin");
        ASSERT_EQ(reader.ReadPos, writer.Bytes().size());
    }
}

TEST(ReplyCoding, TheByte255TravelsOnlyWhereNothingIsSubtracted) {
    ReplyWriter writer(17, 42);
    EXPECT_THROW(writer.WriteText("d\xffner", 41), UnencodableText);
    EXPECT_EQ(writer.Bytes().size(), 2u);  // nothing written
    EXPECT_THROW(Scramble("\xff", 0, 0, 41), UnencodableText);
    // No keys, a start of 0 and only zero bytes before it: the byte passes.
    EXPECT_EQ(Descramble(Scramble(std::string("\0\xff", 2), 0, 0, 0), 0, 0, 0), std::string("\0\xff", 2));
    EXPECT_THROW(Scramble(std::string("\1\xff", 2), 0, 0, 0), UnencodableText);
}

TEST(ReplyCoding, AShortReplyIsReportedAtEveryCut) {
    ReplyWriter writer(5, 6);
    writer.WriteNumber(2);
    writer.WriteText("<html>", 101);
    writer.WriteText("</html>", 101);
    const std::string whole = writer.Bytes();
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        const std::string part = whole.substr(0, cut);
        EXPECT_THROW(
            {
                ReplyReader reader(part);
                const int count = reader.ReadNumber();
                for (int i = 0; i < count; ++i) reader.ReadText(101);
            },
            ShortReply)
            << "cut at " << cut;
    }
    ReplyReader reader(whole);
    EXPECT_EQ(reader.ReadNumber(), 2);
    EXPECT_EQ(reader.ReadText(101), "<html>");
    EXPECT_EQ(reader.ReadText(101), "</html>");
    EXPECT_THROW(reader.ReadNumber(), ShortReply);
    // A field length far beyond the reply.
    ReplyReader huge(Bytes({1, 1, 255, 255, 'x'}));
    EXPECT_THROW(huge.ReadText(0), ShortReply);
}
