#include "engine/procedureanalyse.h"

#include <limits>

#include "engine/UnitTrelvoHTMLanalyse.h"
#include "engine/windows1252.h"

namespace {

// The scanner is no HTML parser: it recognises tags by these upper-case prefixes only.
enum TagEffect : uint32_t {
    kBoundary = 1u << 0,
    kTitleOn = 1u << 1,
    kTitleOff = 1u << 2,
    kHeadingOn = 1u << 3,   // with the heading level
    kHeadingOff = 1u << 4,  // with the heading level
    kLinkStart = 1u << 5,
    kLinkEnd = 1u << 6,
    kImage = 1u << 7,
    kSkipOn = 1u << 8,
    kSkipOff = 1u << 9,
};

struct TagPrefix {
    std::string_view prefix;
    uint32_t effects;
    int level;
};

constexpr std::array<TagPrefix, 28> kPrefixes = {{
    {"<TITLE", kTitleOn, 0},
    {"</TITLE", kBoundary | kTitleOff, 0},
    {"<H1", kBoundary | kHeadingOn, 1},
    {"<H2", kBoundary | kHeadingOn, 2},
    {"<H3", kBoundary | kHeadingOn, 3},
    {"<H4", kBoundary | kHeadingOn, 4},
    {"<H5", kBoundary | kHeadingOn, 5},
    {"</H1>", kBoundary, 0},
    {"</H2>", kBoundary, 0},
    {"</H3>", kBoundary, 0},
    {"</H4>", kBoundary, 0},
    {"</H5>", kBoundary, 0},
    {"</H1", kHeadingOff, 1},
    {"</H2", kHeadingOff, 2},
    {"</H3", kHeadingOff, 3},
    {"</H4", kHeadingOff, 4},
    {"</H5", kHeadingOff, 5},
    {"<A ", kBoundary | kLinkStart, 0},
    {"</A>", kBoundary, 0},
    // Every closing tag beginning so ends the link, "</ABBR>" included, and whether or not
    // the link had an address: an anchor like <A NAME=haut></A> must not make the rest of
    // the page link text.
    {"</A", kLinkEnd, 0},
    {"<IMG ", kBoundary | kImage, 0},
    {"<BR", kBoundary, 0},
    {"<TD", kBoundary, 0},
    {"<P", kBoundary, 0},
    {"<SCRIPT ", kBoundary | kSkipOn, 0},
    {"<STYLE ", kBoundary | kSkipOn, 0},
    {"</SCRIPT", kSkipOff, 0},
    {"</STYLE", kSkipOff, 0},
}};

constexpr int kHeadingLevels = 5;

constexpr std::string_view kPunctuation = ".,'\"!?;*/()-_";

constexpr std::array<bool, 256> PunctuationTable() {
    std::array<bool, 256> table{};
    for (const char c : kPunctuation) table[static_cast<unsigned char>(c)] = true;
    return table;
}

constexpr std::array<bool, 256> kIsPunctuation = PunctuationTable();

struct ScannerState {
    bool inTitle = false;
    std::array<bool, kHeadingLevels + 1> inHeading{};  // levels 1 to 5
    bool inLink = false;
    bool skipping = false;
    bool utf8 = false;

    int32_t Kind() const {
        if (inTitle) return ekTitle;
        constexpr std::array<int32_t, kHeadingLevels + 1> kHeadingKinds = {0, ekH1, ekH2, ekH3, ekH4, ekH5};
        for (int level = 1; level <= kHeadingLevels; ++level) {
            if (inHeading[level]) return kHeadingKinds[level];
        }
        return inLink ? ekA : ekBody;
    }
};

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

AnalysisEngine::AnalysisEngine(const TdataM& dataM) : dataM_(dataM) {
    InitAnalysis();
}

void AnalysisEngine::InitAnalysis() {
    PageTruncated = false;
    RemoveAccents = true;
    MinWordLength = 3;
    ResetPageCounters();
    DocumentLines.clear();
}

void AnalysisEngine::ResetPageCounters() {
    SignificantWordCount = 0;
    IgnoredWordCount = 0;
    Blocks.clear();
    MaxBlockWords = 0;
}

int32_t AnalysisEngine::WordId(std::string_view word) const {
    const auto it = vocabularyIndex_.find(word);
    return it == vocabularyIndex_.end() ? 0 : it->second;
}

int32_t AnalysisEngine::AddWord(std::string_view word) {
    const auto it = vocabularyIndex_.find(word);
    if (it != vocabularyIndex_.end()) return it->second;
    Vocabulary.emplace_back(word);
    const auto id = static_cast<int32_t>(Vocabulary.size());
    vocabularyIndex_.emplace(Vocabulary.back(), id);
    return id;
}

void AnalysisEngine::AddBlock(std::string_view text, int32_t kind) {
    if (text.substr(0, 2) == "/*") return;
    std::string normal = SplitPunctuation(LowerCaseAscii(DecodeEntities(text)));
    if (RemoveAccents) normal = FoldAccents(normal);

    Block block;
    block.Kind = kind;
    ForEachPiece(normal, [&](std::string_view word) {
        if (word.empty()) return;
        if (static_cast<int64_t>(word.size()) < MinWordLength || IsStopWord(word)) {
            ++IgnoredWordCount;
            return;
        }
        ++SignificantWordCount;
        block.WordIds.push_back(AddWord(word));
    });
    if (block.WordIds.empty()) return;
    block.WordCount = static_cast<int32_t>(block.WordIds.size());
    MaxBlockWords = std::max(MaxBlockWords, block.WordCount);
    Blocks.push_back(std::move(block));
}

void AnalysisEngine::AnalysePage(const std::vector<std::string>& lines) {
    ScannerState state;
    std::string pending;
    std::string tag;
    bool inTag = false;

    const auto flush = [&] {
        std::string text = std::move(pending);
        pending.clear();
        if (state.utf8) {
            std::optional<std::string> decoded = Utf8ToWindows1252(text);
            if (decoded && !decoded->empty()) text = std::move(*decoded);
        }
        if (state.skipping) return;
        AddBlock(text, state.Kind());
    };

    const auto handleTag = [&] {
        const std::string upper = UpperCaseAscii(tag);
        if (!state.utf8 && upper.find("CHARSET=") != std::string::npos &&
            upper.find("UTF-8") != std::string::npos) {
            state.utf8 = true;
        }
        uint32_t effects = 0;
        int levelOn = 0;
        int levelOff = 0;
        for (const TagPrefix& p : kPrefixes) {
            if (!StartsWith(upper, p.prefix)) continue;
            effects |= p.effects;
            if (p.effects & kHeadingOn) levelOn = p.level;
            if (p.effects & kHeadingOff) levelOff = p.level;
        }
        if (effects & kBoundary) flush();
        if (effects & kSkipOn) state.skipping = true;
        if (effects & kSkipOff) {
            state.skipping = false;
            pending.clear();
        }
        if (effects & kImage) {
            const std::string alt = GetAttribute("alt", tag);
            if (!alt.empty()) AddBlock(alt, ekImgAlt);
            const std::string title = GetAttribute("title", tag);
            if (!title.empty()) AddBlock(title, ekImgTitle);
        }
        if (effects & kLinkEnd) state.inLink = false;
        if (effects & kLinkStart) {
            state.inLink = true;
            const std::string title = GetAttribute("title", tag);
            if (!title.empty()) AddBlock(title, ekATitle);
        }
        if (effects & kTitleOn) state.inTitle = true;
        if (effects & kHeadingOn) state.inHeading[levelOn] = true;
        if (effects & kTitleOff) state.inTitle = false;
        if (effects & kHeadingOff) state.inHeading[levelOff] = false;
    };

    for (const std::string& line : lines) {
        for (const char c : line) {
            if (inTag) {
                tag += c;
                if (c == '>') {
                    inTag = false;
                    handleTag();
                }
            } else if (c == '<') {
                if (!pending.empty()) pending += ' ';
                tag.assign(1, c);
                inTag = true;
            } else if (c != '\t') {
                pending += c;
            }
        }
    }
    // Text after the last boundary, and a tag the page leaves open, are not recorded.
}

PageFigures AnalysisEngine::SummarisePage(std::string_view keyword, int32_t statusCode) {
    PageFigures figures;
    figures.Summary = {SignificantWordCount, IgnoredWordCount, statusCode, TextLengthOf(DocumentLines)};

    KeywordIds.clear();
    ForEachPiece(LowerCaseAscii(keyword), [&](std::string_view piece) {
        if (piece.empty() || Vocabulary.empty()) return;
        if (const int32_t id = WordId(piece); id != 0) KeywordIds.push_back(id);
    });

    // How many times each id stands in KeywordIds.
    std::unordered_map<int32_t, int64_t> repeats;
    for (const int32_t id : KeywordIds) ++repeats[id];

    std::array<int32_t, DisplayRowCount + 1> rowOfKind{};
    for (int row = 1; row <= DisplayRowCount; ++row) rowOfKind[ElementRows[row].Kind] = row;

    std::array<int64_t, DisplayRowCount + 1> occurrences{};
    for (const Block& block : Blocks) {
        const int32_t row = block.Kind >= 1 && block.Kind <= DisplayRowCount ? rowOfKind[block.Kind] : 0;
        if (row == 0) continue;
        ++figures.Rows[row].Blocks;
        figures.Rows[row].Words += block.WordCount;
        if (repeats.empty()) continue;
        for (const int32_t id : block.WordIds) {
            const auto it = repeats.find(id);
            if (it != repeats.end()) occurrences[row] += it->second;
        }
    }
    for (int row = 1; row <= DisplayRowCount; ++row) {
        ElementStats& stats = figures.Rows[row];
        stats.Occurrences =
            static_cast<int32_t>(std::min<int64_t>(occurrences[row], std::numeric_limits<int32_t>::max()));
        stats.Density = DensityOf(occurrences[row], stats.Words);
    }
    return figures;
}

std::string SplitPunctuation(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (kIsPunctuation[static_cast<unsigned char>(c)]) c = ' ';
    }
    return out;
}

int32_t DensityOf(int64_t occurrences, int64_t words) {
    if (occurrences <= 0 || words <= 0) return -1;
    const int64_t scaled = occurrences * 100;
    int64_t density = scaled / words;
    const int64_t twiceRest = 2 * (scaled % words);
    if (twiceRest > words || (twiceRest == words && density % 2 != 0)) ++density;
    return static_cast<int32_t>(std::min<int64_t>(density, std::numeric_limits<int32_t>::max()));
}

int32_t TextLengthOf(const std::vector<std::string>& lines) {
    int64_t length = 0;
    for (const std::string& line : lines) length += static_cast<int64_t>(line.size()) + 2;
    return static_cast<int32_t>(std::min<int64_t>(length, std::numeric_limits<int32_t>::max()));
}

std::string_view TrimControls(std::string_view text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= 32) ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32) --last;
    return text.substr(first, last - first);
}
