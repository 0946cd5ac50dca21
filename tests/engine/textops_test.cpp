// The text operations: entities, lower-casing, punctuation, accents, stop words, attributes
// and form encoding.

#include <gtest/gtest.h>

#include <random>

#include "engine/UnitTrelvoHTMLanalyse.h"
#include "tests/engine/enginetesting.h"
#include "tests/engine/referenceengine.h"

namespace {

struct TextCase {
    const char* input;  // UTF-8
    const char* expected;
};

}  // namespace

TEST(DecodeEntities, Cases) {
    const TextCase cases[] = {
        {"caf&eacute; &amp; th&#233;", "café & thé"},
        {"&amp;lt;", "<"},             // row 59 makes "&lt;", which row 64 decodes
        {"&amp;eacute;", "&eacute;"},  // row 38 came before row 59
        {"&amp;amp;amp;", "&"},        // each "&amp;" made anew is replaced again
        {"&#38;#233;", "é"},           // not examined again by the numeric pass, then row 62
        {"a&#b;c", "a&#b;c"},
        {"x &# y", "x  y"},  // no semicolon: the numeric pass stops there
        {"&#;", "&#;"},
        {"&#12345678901;", "&#12345678901;"},
        {"&#2147483648;", "&#2147483648;"},
        {"&#x41;", "&#x41;"},
        {"&#338;", "R"},  // 338 modulo 256
        {"&#0065;", "A"},
        {"&EACUTE; &Eacute; &eacute;", "&EACUTE; É é"},
        {"l&rsquo;h&ocirc;tel &euro;", "l&rsquo;hôtel &euro;"},
        {"a&nbsp;b&quot;c&gt;d&lt;e&#62;", "a b\"c>d<e>"},
        {"&&amp;;", "&&;"},
        {"sans entité", "sans entité"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(Windows1252ToUtf8(DecodeEntities(W(c.input))), c.expected) << c.input;
    EXPECT_EQ(DecodeEntities("&#8217;"), "\x19");
    EXPECT_EQ(DecodeEntities("&#2147483647;"), "\xFF");
    EXPECT_EQ(DecodeEntities("&#0;x"), std::string("\0x", 2));
}

TEST(DecodeEntities, AgreesWithTheRowByRowReplacement) {
    const std::vector<std::string> pieces = {
        "&",   "#",           ";",     "amp",  "amp;", "&amp;",   "&lt;",   "lt;",   "eacute;", "&eacute;",
        "&#",  "233",         "62;",   "38;",  "x",    " ",       "&nbsp;", "E",     "&Eacute", "&quot;",
        "gt;", "99999999999", "&#38;", "\xE9", "&#62", "Agrave;", "&yuml;", "#233;", "&#x",     "0",
    };
    std::mt19937 random(20261211);
    for (int round = 0; round < 5000; ++round) {
        std::string text;
        const int count = 1 + static_cast<int>(random() % 24);
        for (int i = 0; i < count; ++i) text += pieces[random() % pieces.size()];
        ASSERT_EQ(DecodeEntities(text), ReferenceDecode(text)) << text;
    }
}

TEST(FoldAccents, Cases) {
    const TextCase cases[] = {
        {"Été", "Ete"}, {"été", "ete"}, {"Œuvre", "Œuvre"}, {"Ærø", "r"}, {"àÀçÇñÑÿýÝ", "aAcCnNyyY"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(Windows1252ToUtf8(FoldAccents(W(c.input))), c.expected) << c.input;
}

TEST(FoldAccents, AgreesWithTheRowByRowReplacement) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(FoldAccents(all), ReferenceFold(all));
}

TEST(LowerCase, TouchesOnlyAsciiLetters) {
    EXPECT_EQ(Windows1252ToUtf8(LowerCaseAscii(W("Été HÔTEL Zz@[`{"))), "Été hÔtel zz@[`{");
    EXPECT_EQ(Windows1252ToUtf8(UpperCaseAscii(W("été hôtel"))), "éTé HôTEL");
}

TEST(SplitPunctuation, ThirteenCharactersBecomeSpaces) {
    EXPECT_EQ(Windows1252ToUtf8(SplitPunctuation(W("porte-fenêtre (2008)"))), "porte fenêtre  2008 ");
    EXPECT_EQ(SplitPunctuation(".,'\"!?;*/()-_"), std::string(13, ' '));
    EXPECT_EQ(Windows1252ToUtf8(SplitPunctuation(W("l'hôtel l’hôtel a:b&c#d+e=f%g «h» – 2"))),
              "l hôtel l’hôtel a:b&c#d+e=f%g «h» – 2");
}

TEST(StopWords, TheListAndTheTest) {
    TdataM dataM;
    ASSERT_EQ(dataM.stopwordlist().size(), 126u);
    EXPECT_EQ(Windows1252ToUtf8(dataM.stopwordlist().front()), "alors");
    EXPECT_EQ(Windows1252ToUtf8(dataM.stopwordlist()[30]), "début");
    EXPECT_EQ(Windows1252ToUtf8(dataM.stopwordlist().back()), "être");
    int shorter = 0;
    for (const std::string& word : dataM.stopwordlist()) shorter += word.size() < 3;
    EXPECT_EQ(shorter, 22);

    AnalysisEngine engine(dataM);
    EXPECT_TRUE(engine.IsStopWord("pour"));
    EXPECT_FALSE(engine.IsStopWord("Pour"));
    EXPECT_TRUE(engine.IsStopWord(W("début")));
    EXPECT_FALSE(engine.IsStopWord("debut"));
    EXPECT_FALSE(engine.IsStopWord(""));
}

TEST(GetAttribute, Cases) {
    struct AttributeCase {
        const char* name;
        const char* tag;
        const char* value;
    };
    const AttributeCase cases[] = {
        {"alt", "<IMG SRC=a.gif ALT='Vue mer'>", "Vue mer"},
        {"alt", "<img src=a.gif alt=\"Vue mer\" title=x>", "Vue mer"},
        {"ALT", "<img alt=Piscine>", "Piscine"},
        {"alt", "<img alt=Piscine chauffee>", "Piscine"},
        {"alt", "<IMG ALT=>", ""},
        {"alt", "<IMG ALT=\"Vue mer>", ""},
        {"alt", "<IMG ALT=''>", ""},
        {"alt", "<IMG ALT = x>", ""},
        {"alt", "<IMG SRC=a.gif>", ""},
        {"alt", "<IMG DATA-ALT=x ALT=y>", "x"},
        {"title", "<A HREF='p.php?title=z' TITLE='w'>", "z'"},
        {"title", "<A TITLE=&eacute;t&eacute;>", "&eacute;t&eacute;"},
        {"alt", "<IMG ALT=\"  Vue mer  \">", "  Vue mer  "},
        {"alt", "ALT=x", ""},
    };
    for (const AttributeCase& c : cases) EXPECT_EQ(GetAttribute(c.name, c.tag), c.value) << c.tag;
}

TEST(FormEncode, Cases) {
    EXPECT_EQ(FormEncode(W("Bonjour à tous!"), 0), "Bonjour+%E0+tous%21");
    EXPECT_EQ(FormEncode(W("mot-clé_1"), 0), "mot%2Dcl%E9%5F1");
    EXPECT_EQ(FormEncode(W("mot-clé_1"), 1), "mot-cl%E9_1");
    EXPECT_EQ(FormEncode("a.b\r\n", 0), "a%2Eb%0D%0A");
    EXPECT_EQ(FormEncode("", 0), "");
}
