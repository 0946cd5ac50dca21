// The HTML scanner: how page lines become blocks of element kinds.

#include <gtest/gtest.h>

#include "tests/engine/enginetesting.h"

namespace {

struct ScanCase {
    const char* what;
    std::vector<std::string> lines;  // UTF-8
    std::vector<BlockView> blocks;
};

class Scanner : public ::testing::Test, public EngineFixture {};

}  // namespace

TEST_F(Scanner, Cases) {
    const ScanCase cases[] = {
        {"title", {"<TITLE>Hotel Paris</TITLE>"}, {{ekTitle, "hotel paris"}}},
        {"break inside a heading", {"<H1>Hotels<BR>Paris</H1>"}, {{ekH1, "hotels"}, {ekH1, "paris"}}},
        {"inline tags separate words",
         {"<P>Bonjour<B>chers</B>le monde<P>"},
         {{ekBody, "bonjour chers monde"}}},
        {"text after the last boundary is dropped", {"<P>Bonjour<B>chers</B>le monde"}, {}},
        {"last paragraph before closing tags", {"<P>Un<BR>Dernier paragraphe</P></BODY></HTML>"}, {}},
        {"lines are glued", {"<P>Bonjour tout", "le monde<BR>"}, {{ekBody, "bonjour toutle monde"}}},
        {"a tab is dropped", {"<P>Bon\tjour<P>"}, {{ekBody, "bonjour"}}},
        {"link title and text",
         {"<A HREF=x.html TITLE=Chambres>Hotel</A>"},
         {{ekATitle, "chambres"}, {ekA, "hotel"}}},
        {"link inside a heading", {"<H2><A HREF=x>Hotel</A></H2>"}, {{ekH2, "hotel"}}},
        {"heading inside the title", {"<TITLE><H1>Hotel</H1></TITLE>"}, {{ekTitle, "hotel"}}},
        {"image attributes, also in a script",
         {"<SCRIPT TYPE=text/javascript>var abc = 1;<IMG SRC=a.gif ALT=Piscine TITLE='Vue mer'> vrai",
          "</SCRIPT><P>"},
         {{ekImgAlt, "piscine"}, {ekImgTitle, "vue mer"}}},
        {"script with attributes records nothing",
         {"<P>texte<BR><SCRIPT TYPE=x>code secret<BR>encore</SCRIPT><P>"},
         {{ekBody, "texte"}}},
        {"script without attributes loses the text before it",
         {"<P>texte perdu<SCRIPT>var abc;</SCRIPT>suite<P>"},
         {{ekBody, "suite"}}},
        {"a block starting with /* is dropped whole", {"<BR>/* note */ hotel paris<BR>"}, {}},
        {"one space before /* keeps it", {"<BR> /* note */ hotel paris<BR>"}, {{ekBody, "note hotel paris"}}},
        {"closing heading with a space is no boundary", {"<H1>Hotels</H1 ><P>"}, {{ekBody, "hotels"}}},
        {"anchor without address ends at its closing tag",
         {"<A NAME=haut></A>Texte libre<P>"},
         {{ekBody, "texte libre"}}},
        {"any closing tag beginning with </A ends the link",
         {"<A HREF=x>lien <ABBR>abc</ABBR> suite<P>"},
         {{ekBody, "lien abc suite"}}},
        {"unterminated tag ends the scan", {"<P>hotel<BR>paris<IMG SRC=x ALT=piscine"}, {{ekBody, "hotel"}}},
        {"a tag may span lines", {"<IMG SRC=a.gif", " ALT=Piscine>"}, {{ekImgAlt, "piscine"}}},
        {"IMG followed by a tab is no image", {"<IMG\tALT=piscine><BR>"}, {}},
        {"A glued to the next line is no link",
         {"<P>texte<A", "HREF=x TITLE=titre>lien</A>"},
         {{ekBody, "texte lien"}}},
        {"SCRIPT without attributes does not skip", {"<SCRIPT>alerte<BR>"}, {{ekBody, "alerte"}}},
        {"prefixes catch more than their element",
         {"<PRE>code<BR/>source<PARAM>prix<TDX>"},
         {{ekBody, "code"}, {ekBody, "source"}, {ekBody, "prix"}}},
        {"headings H3 to H5",
         {"<H3>trois</H3><H4>quatre</H4><H5>cinq</H5>"},
         {{ekH3, "trois"}, {ekH4, "quatre"}, {ekH5, "cinq"}}},
        {"lengths, stop words and digits",
         {"<P>le de et pour une mer 2008 hotel2008 Pour<P>"},
         {{ekBody, "une mer 2008 hotel2008"}}},
        {"entities, punctuation and accents",
         {"<P>L&#39;h&ocirc;tel &amp; le caf&eacute;, (2008)!<P>"},
         {{ekBody, "hotel cafe 2008"}}},
        {"&nbsp; separates words, a raw no-break space does not",
         {"<P>bord&nbsp;mer bord\xC2\xA0mer<P>"},
         {{ekBody, "bord mer bord\xC2\xA0mer"}}},
        {"empty and unmatched tags", {"<P><BR><><B><!-- x --><P>"}, {}},
        {"a stray > is text", {"<P>abc>def<P>"}, {{ekBody, "abc>def"}}},
    };
    for (const ScanCase& c : cases) EXPECT_EQ(Scan(c.lines), c.blocks) << c.what;
}

TEST_F(Scanner, CountsSignificantAndIgnoredWords) {
    Scan({"<P>le de et pour une mer 2008 hotel2008<P>"});
    EXPECT_EQ(engine.SignificantWordCount, 4);
    EXPECT_EQ(engine.IgnoredWordCount, 4);
    EXPECT_EQ(engine.BlockCount(), 1);
    EXPECT_EQ(engine.MaxBlockWords, 4);
}

TEST_F(Scanner, WithoutFoldingAccentedStopWordsAreIgnored) {
    engine.RemoveAccents = false;
    EXPECT_EQ(Scan({"<P>été début café<P>"}), (std::vector<BlockView>{{ekBody, "café"}}));
    EXPECT_EQ(engine.IgnoredWordCount, 2);
    engine.RemoveAccents = true;
    EXPECT_EQ(Scan({"<P>été début café<P>"}), (std::vector<BlockView>{{ekBody, "ete debut cafe"}}));
}

TEST_F(Scanner, Utf8PagesAreReadAsWindows1252FromTheDeclaration) {
    // Raw bytes: the page holds UTF-8 text, once before and once after its declaration.
    const std::vector<std::string> page = {
        "<P>caf\xC3\xA9<BR>",
        "<META content=\"text/html; charset=UTF-8\">",
        "<P>caf\xC3\xA9 \xCE\xA9mega<BR>",
        "<P>caf\xE9<BR>",             // not valid UTF-8: analysed as it is
        "<IMG ALT=\"caf\xC3\xA9\">",  // attribute values are never decoded
    };
    engine.RemoveAccents = false;
    EXPECT_EQ(Scan(page, true), (std::vector<BlockView>{
                                    {ekBody, "cafÃ©"},
                                    {ekBody, "café mega"},  // Ω has no byte: "?", then a space
                                    {ekBody, "café"},
                                    {ekImgAlt, "cafÃ©"},
                                }));
}

TEST_F(Scanner, Utf8ModeDoesNotCarryOverToTheNextPage) {
    Scan({"<META charset=utf-8><P>x<BR>"});
    engine.RemoveAccents = false;
    EXPECT_EQ(Scan({"<P>caf\xC3\xA9<BR>"}, true), (std::vector<BlockView>{{ekBody, "cafÃ©"}}));
}

TEST_F(Scanner, LongWordsAreCutEvery1000Characters) {
    // 2500 letters without a space: 999 kept, the 1000th dropped, and so on. Page text always
    // reaches its boundary with a space after it, so attribute values show the rule.
    Scan({"<IMG ALT=" + std::string(2500, 'a') + ">"});
    ASSERT_EQ(engine.BlockCount(), 1);
    const Block& block = engine.Blocks[0];
    ASSERT_EQ(block.WordCount, 3);
    EXPECT_EQ(block.WordIds[0], block.WordIds[1]);
    EXPECT_EQ(engine.Word(block.WordIds[0]).size(), 999u);
    EXPECT_EQ(engine.Word(block.WordIds[2]).size(), 500u);
    // With a space somewhere, the piece before it is taken whole.
    Scan({"<P>" + std::string(1500, 'b') + " fin<P>"});
    EXPECT_EQ(engine.Word(engine.Blocks[0].WordIds[0]).size(), 1500u);
}

TEST_F(Scanner, VocabularyKeepsItsIdsAcrossPages) {
    Scan({"<P>hotel plage<P>"});
    const int32_t hotel = engine.WordId("hotel");
    ASSERT_NE(hotel, 0);
    Scan({"<P>plage hotel piscine<P>"});
    EXPECT_EQ(engine.WordId("hotel"), hotel);
    EXPECT_EQ(engine.VocabularyCount(), 3);
    EXPECT_EQ(engine.Blocks[0].WordIds, (std::vector<int32_t>{2, 1, 3}));
}
