// The engine against the analysis written the plain way, on random pages made of the pieces
// real pages are made of: the same blocks, the same vocabulary, the same figures.

#include <gtest/gtest.h>

#include <random>

#include "engine/pagelines.h"
#include "tests/engine/enginetesting.h"
#include "tests/engine/referenceengine.h"
#include "workspace/analysisrun.h"

namespace {

const char* const kPieces[] = {
    "<TITLE>", "</TITLE>", "<title lang=fr>", "</Title >", "<H1>", "</H1>", "<h2 class=a>", "</h2>", "<H3>",
    "</H3 >", "<H4>", "</H4>", "<h5>", "</H5>", "<P>", "<p class=\"x\">", "</p>", "<BR>", "<br/>", "<TD>",
    "<td align=left>", "<A HREF=\"a.html\">", "<a href='b.html' title='Voir les chambres'>", "<A NAME=haut>",
    "</A>", "</a >", "</ABBR>", "<IMG SRC=a.gif ALT=\"Piscine chauffée\">", "<img src=b.jpg alt=x title=Vue>",
    "<img alt=\"\" title=\"Plage &amp; mer\">", "<SCRIPT type=x>", "<script>", "</SCRIPT>", "<STYLE media=all>",
    "</style>", "<meta charset=\"UTF-8\">", "<B>", "</B>", "<!-- note -->", "<", ">", "&", "&eacute;", "&amp;amp;",
    "&#233;", "&#99999999999;", "&lt;", "&nbsp;", "&Agrave;", "&yuml;", "hôtel", "Hôtel", "HOTEL", "plage",
    "été", "\xc3\xa9t\xc3\xa9", "mer", "la", "de", "et", "les", "chambres", "vue", "sur", "piscine", "a", "bb",
    "  ", " ", "\t", ".", ",", "'", "!", "?", ";", "*", "/", "(", ")", "-", "_", "/*", "\"", "é", "À", "œ",
};

std::vector<std::string> RandomPage(std::mt19937& random) {
    std::uniform_int_distribution<size_t> piece(0, std::size(kPieces) - 1);
    std::uniform_int_distribution<int> count(0, 120);
    std::uniform_int_distribution<int> breakLine(0, 9);
    std::string bytes;
    const int pieces = count(random);
    for (int i = 0; i < pieces; ++i) {
        bytes += W(kPieces[piece(random)]);
        if (breakLine(random) == 0) bytes += "\r\n";
        if (breakLine(random) == 1) bytes += ' ';
    }
    if (breakLine(random) == 0) bytes += std::string(1200, 'z');  // a word past the 999-character piece
    std::vector<std::string> lines;
    int32_t fetched = 0;
    LoadMemoFromMemoryStream(lines, bytes, fetched);
    return lines;
}

}  // namespace

TEST(ReferenceComparison, TheEngineGivesThePlainFigures) {
    std::mt19937 random(2026);
    const char* keywords[] = {"hotel", "Hôtel plage", "ete", "été", "piscine chauffee vue", "", "chambres chambres"};
    for (const bool removeAccents : {true, false}) {
        TdataM dataM;
        AnalysisEngine engine(dataM);
        engine.RemoveAccents = removeAccents;
        ReferenceAnalysis reference(dataM, removeAccents);
        for (int round = 0; round < 1500; ++round) {
            const std::vector<std::string> lines = RandomPage(random);
            engine.ResetPageCounters();
            engine.DocumentLines = lines;
            engine.AnalysePage(lines);
            reference.NewPage();
            reference.AnalysePage(lines);
            ASSERT_EQ(engine.Vocabulary, reference.Vocabulary) << "round " << round;
            ASSERT_EQ(engine.SignificantWordCount, reference.Significant) << "round " << round;
            ASSERT_EQ(engine.IgnoredWordCount, reference.Ignored) << "round " << round;
            ASSERT_EQ(engine.Blocks.size(), reference.Blocks.size()) << "round " << round;
            for (size_t b = 0; b < engine.Blocks.size(); ++b) {
                ASSERT_EQ(engine.Blocks[b].Kind, reference.Blocks[b].Kind) << "round " << round << " block " << b;
                ASSERT_EQ(engine.Blocks[b].WordIds, reference.Blocks[b].WordIds) << "round " << round << " block " << b;
            }
            const std::string keyword = RunKeyword(engine, W(keywords[round % std::size(keywords)]));
            const PageFigures mine = engine.SummarisePage(keyword, 200);
            const PageFigures plain = reference.Summarise(keyword, 200, lines);
            ASSERT_EQ(mine.Summary.SignificantWords, plain.Summary.SignificantWords);
            ASSERT_EQ(mine.Summary.IgnoredWords, plain.Summary.IgnoredWords);
            ASSERT_EQ(mine.Summary.TextLength, plain.Summary.TextLength);
            for (int row = 1; row <= DisplayRowCount; ++row) {
                const ElementStats& a = mine.Rows[row];
                const ElementStats& b = plain.Rows[row];
                ASSERT_EQ(std::tie(a.Blocks, a.Words, a.Occurrences, a.Density),
                          std::tie(b.Blocks, b.Words, b.Occurrences, b.Density))
                    << "round " << round << " row " << row;
            }
        }
    }
}
