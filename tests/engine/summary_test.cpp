// From blocks and keyword to the figures of a page.

#include <gtest/gtest.h>

#include "engine/UnitTrelvoHTMLanalyse.h"
#include "tests/engine/enginetesting.h"

namespace {

class Summary : public ::testing::Test, public EngineFixture {
protected:
    // Scans the page and summarises it for the keyword, folded as the run folds it.
    PageFigures Figures(const std::vector<std::string>& lines, const std::string& keyword) {
        Scan(lines);
        engine.DocumentLines.clear();
        for (const std::string& line : lines) engine.DocumentLines.push_back(W(line));
        const std::string k = engine.RemoveAccents ? FoldAccents(W(keyword)) : W(keyword);
        return engine.SummarisePage(k, 200);
    }

    static int Row(const char* label) {
        for (int row = 1; row <= DisplayRowCount; ++row) {
            if (std::string_view(ElementRows[row].Label) == label) return row;
        }
        return 0;
    }
};

}  // namespace

TEST(Density, RoundsHalvesToTheEvenNeighbourExactly) {
    struct DensityCase {
        int64_t occurrences, words;
        int32_t density;
    };
    const DensityCase cases[] = {
        {1, 8, 12},  {3, 8, 38}, {5, 8, 62},  {7, 8, 88},  {23, 40, 58},  // 57.5 is not 57.49999
        {1, 200, 0}, {1, 3, 33}, {2, 3, 67},  {3, 3, 100}, {2, 1, 200},
        {0, 8, -1},  {0, 0, -1}, {1, 400, 0}, {3, 400, 1}, {1, 40, 2},  // 2.5 gives 2
        {7, 40, 18},                                                    // 17.5 gives 18
    };
    for (const DensityCase& c : cases) {
        EXPECT_EQ(DensityOf(c.occurrences, c.words), c.density) << c.occurrences << "/" << c.words;
    }
}

TEST(DisplayRows, OrderAndLabels) {
    const std::vector<int32_t> kinds = {1, 2, 3, 9, 10, 11, 5, 4, 8, 7, 6};
    const std::vector<std::string> labels = {"TITLE", "H1", "H2",      "H3",        "H4",     "H5",
                                             "BODY",  "A",  "A.title", "IMG.title", "IMG.alt"};
    for (int row = 1; row <= DisplayRowCount; ++row) {
        EXPECT_EQ(ElementRows[row].Kind, kinds[row - 1]);
        EXPECT_EQ(ElementRows[row].Label, labels[row - 1]);
    }
}

TEST_F(Summary, SeveralKeywordWordsCountTogether) {
    const PageFigures f = Figures({"<P>hotel de paris hotel<P>"}, "hotel paris");
    const ElementStats& body = f.Rows[Row("BODY")];
    EXPECT_EQ(body.Blocks, 1);
    EXPECT_EQ(body.Words, 3);
    EXPECT_EQ(body.Occurrences, 3);
    EXPECT_EQ(body.Density, 100);
}

TEST_F(Summary, ARepeatedKeywordWordCountsEachTime) {
    const PageFigures f = Figures({"<P>hotel plage piscine soleil<P>"}, "hotel  hotel");
    EXPECT_EQ(engine.KeywordIds.size(), 2u);
    EXPECT_EQ(f.Rows[Row("BODY")].Occurrences, 2);
    EXPECT_EQ(f.Rows[Row("BODY")].Density, 50);
}

TEST_F(Summary, DensityPerRow) {
    const PageFigures f =
        Figures({"<TITLE>Hotel Paris</TITLE>", "<H1>Hotel</H1>",
                 "<P>un hotel parmi sept autres maisons belles calmes vertes<P>", "<IMG ALT=piscine>"},
                "hotel");
    EXPECT_EQ(f.Rows[Row("TITLE")].Density, 50);
    EXPECT_EQ(f.Rows[Row("H1")].Density, 100);
    EXPECT_EQ(f.Rows[Row("BODY")].Words, 8);
    EXPECT_EQ(f.Rows[Row("BODY")].Density, 12);  // 12.5
    EXPECT_EQ(f.Rows[Row("IMG.alt")].Blocks, 1);
    EXPECT_EQ(f.Rows[Row("IMG.alt")].Density, -1);
    EXPECT_EQ(f.Rows[Row("H2")].Blocks, 0);
    EXPECT_EQ(f.Rows[Row("H2")].Density, -1);
    EXPECT_EQ(f.Summary.SignificantWords, 12);
    EXPECT_EQ(f.Summary.IgnoredWords, 1);
}

TEST_F(Summary, KeywordsThatCanNeverMatch) {
    for (const char* keyword : {"de", "pour", "l'hotel", "", "   "}) {
        const PageFigures f = Figures({"<P>l'hotel de pour<P>"}, keyword);
        EXPECT_TRUE(engine.KeywordIds.empty()) << keyword;
        for (int row = 1; row <= DisplayRowCount; ++row) EXPECT_EQ(f.Rows[row].Density, -1) << keyword;
    }
}

TEST_F(Summary, UpperCaseAndAccentedKeywords) {
    EXPECT_EQ(Figures({"<P>hotel<P>"}, "HOTEL").Rows[Row("BODY")].Occurrences, 1);
    // Été is folded to Ete and lower-cased to ete: it matches été but not Été of the page,
    // which is lower-cased (and left Été) before it is folded to Ete.
    EXPECT_EQ(Figures({"<P>été<P>"}, "Été").Rows[Row("BODY")].Occurrences, 1);
    EXPECT_EQ(Figures({"<P>Été<P>"}, "Été").Rows[Row("BODY")].Occurrences, 0);
}

TEST_F(Summary, WithoutFoldingAccentsMustMatchExactly) {
    engine.RemoveAccents = false;
    EXPECT_EQ(Figures({"<P>café cafe<P>"}, "café").Rows[Row("BODY")].Occurrences, 1);
    EXPECT_EQ(Figures({"<P>cafe<P>"}, "café").Rows[Row("BODY")].Occurrences, 0);
}

TEST_F(Summary, PageWithoutSignificantWords) {
    const PageFigures f = Figures({"<P>le la les<P>"}, "hotel");
    for (int row = 1; row <= DisplayRowCount; ++row) {
        EXPECT_EQ(f.Rows[row].Blocks, 0);
        EXPECT_EQ(f.Rows[row].Density, -1);
    }
    EXPECT_EQ(f.Summary.IgnoredWords, 3);
}

TEST_F(Summary, AKeywordSeenOnAnEarlierPageIsKnownButAbsent) {
    Figures({"<P>piscine<P>"}, "piscine");
    const PageFigures second = Figures({"<P>hotel<P>"}, "piscine");
    EXPECT_EQ(engine.KeywordIds.size(), 1u);
    EXPECT_EQ(second.Rows[Row("BODY")].Occurrences, 0);
    EXPECT_EQ(second.Rows[Row("BODY")].Density, -1);
}

TEST_F(Summary, TextLengthCountsTwoPerLine) {
    engine.DocumentLines = {std::string(10, 'a'), std::string(10, 'b'), std::string(10, 'c')};
    EXPECT_EQ(engine.SummarisePage("x", 200).Summary.TextLength, 36);
    engine.DocumentLines.clear();
    const PageFigures empty = engine.SummarisePage("x", 404);
    EXPECT_EQ(empty.Summary.TextLength, 0);
    EXPECT_EQ(empty.Summary.StatusCode, 404);
}

TEST_F(Summary, RowsAddUpToThePage) {
    const PageFigures f = Figures({"<TITLE>Hotel Paris plage</TITLE><H1>Hotel</H1><H3>Chambres calmes</H3>",
                                   "<A HREF=x TITLE='Voir les chambres'>Chambres</A><IMG ALT=vue TITLE=mer>",
                                   "<P>Une belle maison face mer<BR>"},
                                  "mer");
    int blocks = 0;
    int words = 0;
    for (int row = 1; row <= DisplayRowCount; ++row) {
        blocks += f.Rows[row].Blocks;
        words += f.Rows[row].Words;
    }
    EXPECT_EQ(blocks, engine.BlockCount());
    EXPECT_EQ(words, f.Summary.SignificantWords);
    EXPECT_EQ(f.Rows[Row("IMG.title")].Density, 100);
    EXPECT_EQ(f.Rows[Row("BODY")].Density, 20);
}
