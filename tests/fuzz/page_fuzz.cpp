// The whole page pipeline on any bytes: lines cut as the bytes arrive, the scanner, the figures.
// Input: a byte of settings, the keyword up to a byte 01, then the page.

#include <numeric>
#include <vector>

#include "engine/UnitTrelvoHTMLanalyse.h"
#include "engine/datamodule.h"
#include "engine/pagelines.h"
#include "engine/procedureanalyse.h"
#include "tests/engine/referenceengine.h"
#include "tests/fuzz/fuzzing.h"

namespace {

// The lines of the page given in blocks of the size chosen, as a download gives them.
struct Split {
    std::vector<std::string> lines;
    int32_t fetched = 0;
    bool whole = false;
};

Split SplitInBlocks(std::string_view bytes, size_t block) {
    Split split;
    PageLineSplitter splitter(split.lines, split.fetched);
    bool going = true;
    for (size_t at = 0; going && at < bytes.size(); at += block) going = splitter.Add(bytes.substr(at, block));
    split.whole = going && splitter.Finish();
    return split;
}

void CheckLines(const Split& split) {
    int64_t kept = 0;
    for (const std::string& line : split.lines) {
        FUZZ_CHECK(!line.empty());
        FUZZ_CHECK(line.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
        kept += static_cast<int64_t>(line.size());
    }
    FUZZ_CHECK(kept <= PageSizeCap);
    FUZZ_CHECK(kept <= split.fetched);
    FUZZ_CHECK(split.whole == (split.fetched <= PageSizeCap));
}

// The engine's blocks, vocabulary and figures are those of the analysis written the plain way.
void CompareWithReference(const TdataM& dataM, const AnalysisEngine& engine, const PageFigures& figures,
                          const std::vector<std::string>& lines, const std::string& keyword) {
    ReferenceAnalysis reference(dataM, engine.RemoveAccents);
    reference.NewPage();
    reference.AnalysePage(lines);
    FUZZ_CHECK(engine.Vocabulary == reference.Vocabulary);
    FUZZ_CHECK(engine.Blocks.size() == reference.Blocks.size());
    for (size_t b = 0; b < engine.Blocks.size(); ++b) {
        FUZZ_CHECK(engine.Blocks[b].Kind == reference.Blocks[b].Kind);
        FUZZ_CHECK(engine.Blocks[b].WordIds == reference.Blocks[b].WordIds);
    }
    const PageFigures plain = reference.Summarise(keyword, 200, lines);
    for (int row = 1; row <= DisplayRowCount; ++row) {
        const ElementStats& stats = figures.Rows[row];
        const ElementStats& expected = plain.Rows[row];
        FUZZ_CHECK(stats.Blocks == expected.Blocks && stats.Words == expected.Words);
        FUZZ_CHECK(stats.Occurrences == expected.Occurrences && stats.Density == expected.Density);
    }
    FUZZ_CHECK(figures.Summary.SignificantWords == reference.Significant);
    FUZZ_CHECK(figures.Summary.IgnoredWords == reference.Ignored);
    FUZZ_CHECK(figures.Summary.TextLength == plain.Summary.TextLength);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const TdataM dataM;
    FuzzInput input(data, size);
    const uint8_t settings = input.Byte();
    const bool removeAccents = (settings & 1) != 0;
    const size_t blocks[] = {1, 3, 64, 1 << 20};
    size_t block = blocks[settings >> 1 & 3];
    const std::string typed(input.Until('\x01', 64));
    std::string page(input.Rest());
    // Now and then a page past the character cap: the same bytes over and over. Such pages are
    // slow under the fuzzer's instrumentation, so they get the cheaper checks only.
    const bool huge = (settings & 0xF8) == 0xF8 && !page.empty();
    if (huge) {
        const std::string once = page;
        while (page.size() <= PageSizeCap + 2000) page += once;
        block = std::max<size_t>(block, 4096);
    }

    const Split split = SplitInBlocks(page, block);
    CheckLines(split);
    const Split whole = SplitInBlocks(page, page.size() + 1);
    FUZZ_CHECK(split.lines == whole.lines);
    FUZZ_CHECK(split.whole == whole.whole);

    AnalysisEngine engine(dataM);
    engine.RemoveAccents = removeAccents;
    engine.ResetPageCounters();
    engine.DocumentLines = split.lines;
    engine.AnalysePage(split.lines);
    const std::string keyword = removeAccents ? FoldAccents(typed) : typed;
    const PageFigures figures = engine.SummarisePage(keyword, 200);
    if (!huge) CompareWithReference(dataM, engine, figures, split.lines, keyword);

    // The rows add up to the page, and a density exists exactly where the keyword occurs.
    int64_t rowBlocks = 0;
    int64_t rowWords = 0;
    for (int row = 1; row <= DisplayRowCount; ++row) {
        const ElementStats& stats = figures.Rows[row];
        FUZZ_CHECK((stats.Density == -1) == (stats.Occurrences == 0));
        FUZZ_CHECK(stats.Density >= -1 && stats.Occurrences >= 0 && stats.Words >= 0);
        rowBlocks += stats.Blocks;
        rowWords += stats.Words;
    }
    FUZZ_CHECK(rowBlocks == engine.BlockCount());
    FUZZ_CHECK(rowWords == figures.Summary.SignificantWords);
    return 0;
}
