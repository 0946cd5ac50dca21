#pragma once

// The analysis engine: settings, page text, vocabulary, blocks and counters of the page being
// analysed, the HTML scanner that fills them and the summary that turns them into figures.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/datamodule.h"
#include "engine/wordindex.h"

// Element kind codes carried by every block.
enum ElementKind : int32_t {
    ekTitle = 1,
    ekH1 = 2,
    ekH2 = 3,
    ekA = 4,
    ekBody = 5,
    ekImgAlt = 6,
    ekImgTitle = 7,
    ekATitle = 8,
    ekH3 = 9,
    ekH4 = 10,
    ekH5 = 11,
};

struct DisplayRow {
    int32_t Kind;
    const char* Label;
};

// Number of display rows; row 0 is the header row of the result grid and carries no kind.
constexpr int DisplayRowCount = 11;

// The order in which every grid and chart shows the kinds.
inline constexpr std::array<DisplayRow, DisplayRowCount + 1> ElementRows = {{
    {0, ""},
    {ekTitle, "TITLE"},
    {ekH1, "H1"},
    {ekH2, "H2"},
    {ekH3, "H3"},
    {ekH4, "H4"},
    {ekH5, "H5"},
    {ekBody, "BODY"},
    {ekA, "A"},
    {ekATitle, "A.title"},
    {ekImgTitle, "IMG.title"},
    {ekImgAlt, "IMG.alt"},
}};

struct Block {
    int32_t WordCount = 0;
    int32_t Kind = 0;
    std::vector<int32_t> WordIds;  // vocabulary ids in text order
};

struct PageSummary {
    int32_t SignificantWords = 0;
    int32_t IgnoredWords = 0;
    int32_t StatusCode = 0;
    int32_t TextLength = 0;
};

// Density is -1 when the keyword does not occur.
struct ElementStats {
    int32_t Blocks = 0;
    int32_t Words = 0;
    int32_t Occurrences = 0;
    int32_t Density = -1;
};

// Figures of one page: its summary and one ElementStats per display row 1 to 11 (0 unused).
struct PageFigures {
    PageSummary Summary;
    std::array<ElementStats, DisplayRowCount + 1> Rows;
};

class AnalysisEngine {
public:
    explicit AnalysisEngine(const TdataM& dataM);

    // Start-up values of the settings and counters; empty page text.
    void InitAnalysis();

    // Counters and blocks of the page about to be fetched back to zero.
    void ResetPageCounters();

    // Cuts the page lines into blocks (see the scanner rules in the source).
    void AnalysePage(const std::vector<std::string>& lines);

    // Normalises a text and records at most one block of the given kind.
    void AddBlock(std::string_view text, int32_t kind);

    // Figures of the page now held in the state, for the keyword text of the run.
    PageFigures SummarisePage(std::string_view keyword, int32_t statusCode);

    bool IsStopWord(std::string_view word) const { return dataM_.Contains(word); }

    int32_t BlockCount() const { return static_cast<int32_t>(Blocks.size()); }
    int32_t VocabularyCount() const { return static_cast<int32_t>(Vocabulary.size()); }

    // Word of a 1-based vocabulary id.
    const std::string& Word(int32_t id) const { return Vocabulary[id - 1]; }

    // 1-based id of a word, or 0 when the vocabulary does not hold it.
    int32_t WordId(std::string_view word) const;

    // Settings.
    int32_t MinWordLength = 3;
    bool RemoveAccents = true;
    bool PageTruncated = false;

    // Page text, one entry per non-empty line, as the fetcher received it.
    std::vector<std::string> DocumentLines;

    // Distinct significant words; the id of Vocabulary[i] is i + 1. Never cleared.
    std::vector<std::string> Vocabulary;

    // Blocks of the page being analysed; block b (1-based) is Blocks[b - 1].
    std::vector<Block> Blocks;
    int32_t MaxBlockWords = 0;

    int32_t SignificantWordCount = 0;
    int32_t IgnoredWordCount = 0;

    // Vocabulary ids of the keyword words, rebuilt by every SummarisePage.
    std::vector<int32_t> KeywordIds;

private:
    // What each character becomes in a word: -1 for nothing.
    using NormalTable = std::array<int16_t, 256>;
    static const NormalTable& PlainTable();
    static const NormalTable& FoldingTable();

    int32_t AddWord(std::string_view word, uint64_t hash);

    const TdataM& dataM_;
    WordIndex vocabularyIndex_;
    // Buffers kept from block to block.
    std::string pending_;
    std::string tag_;
    std::string decoded_;
    std::string normal_;
};

// Every one of these characters becomes a space.
std::string SplitPunctuation(std::string_view text);

// Splits a text into its pieces the way the engine does: up to the first space, or 999
// characters when no space is left (the 1000th is dropped), each piece trimmed of characters
// 0 to 32. Calls piece(std::string_view) for every piece, empty ones included.
template <typename OnPiece>
void ForEachPiece(std::string_view text, OnPiece&& piece);

// Keyword density in whole percent, halves to the even neighbour; -1 without occurrences.
int32_t DensityOf(int64_t occurrences, int64_t words);

// Sum of the line lengths plus 2 per line.
int32_t TextLengthOf(const std::vector<std::string>& lines);

std::string_view TrimControls(std::string_view text);

template <typename OnPiece>
void ForEachPiece(std::string_view text, OnPiece&& piece) {
    constexpr size_t kNoSpaceLimit = 1000;
    size_t i = 0;
    bool spaceLeft = true;
    while (i < text.size()) {
        size_t end = std::string_view::npos;
        if (spaceLeft) {
            end = text.find(' ', i);
            spaceLeft = end != std::string_view::npos;
        }
        size_t next = 0;
        if (spaceLeft) {
            next = end + 1;
        } else {
            end = std::min(i + kNoSpaceLimit - 1, text.size());
            next = std::min(i + kNoSpaceLimit, text.size());
        }
        piece(TrimControls(text.substr(i, end - i)));
        i = next;
    }
}
