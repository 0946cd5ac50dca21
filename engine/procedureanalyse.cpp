#include "engine/procedureanalyse.h"

#include <cstring>
#include <limits>
#include <optional>

#include "engine/UnitTrelvoHTMLanalyse.h"
#include "engine/bytescan.h"
#include "engine/windows1252.h"

namespace {

// The scanner is no HTML parser: it recognises tags by a few upper-case prefixes only.
constexpr uint32_t kBoundary = 1u << 0;
constexpr uint32_t kTitleOn = 1u << 1;
constexpr uint32_t kTitleOff = 1u << 2;
constexpr uint32_t kHeadingOn = 1u << 3;   // with the heading level
constexpr uint32_t kHeadingOff = 1u << 4;  // with the heading level
constexpr uint32_t kLinkStart = 1u << 5;
constexpr uint32_t kLinkEnd = 1u << 6;
constexpr uint32_t kImage = 1u << 7;
constexpr uint32_t kSkipOn = 1u << 8;
constexpr uint32_t kSkipOff = 1u << 9;

constexpr std::string_view kPunctuation = ".,'\"!?;*/()-_";

constexpr std::array<bool, 256> PunctuationTable() {
    std::array<bool, 256> table{};
    for (const char c : kPunctuation) table[static_cast<unsigned char>(c)] = true;
    return table;
}

constexpr std::array<bool, 256> kIsPunctuation = PunctuationTable();

constexpr int kHeadingLevels = 5;
constexpr size_t kShortestCharsetTag = std::string_view("<charset=utf-8>").size();
constexpr size_t kLongestPrefix = 8;  // "<SCRIPT " and "</SCRIPT"

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// What a tag does, by its upper-cased beginning:
//   "<TITLE" title on; "</TITLE" boundary, title off;
//   "<H1".."<H5" boundary, heading on; "</H1".."</H5" heading off, and a boundary when ">"
//   follows at once;
//   "<A " boundary, link start; "</A" link end (every closing tag so beginning, "</ABBR>"
//   included, and whether or not the link had an address: an anchor like <A NAME=haut></A>
//   must not make the rest of the page link text), and a boundary for "</A>";
//   "<IMG " boundary, image; "<BR", "<TD", "<P" boundary;
//   "<SCRIPT ", "<STYLE " boundary, skip on; "</SCRIPT", "</STYLE" skip off.
uint32_t TagEffects(std::string_view tag, int& level) {
    const size_t n = std::min(tag.size(), kLongestPrefix);
    const auto at = [&](size_t i) { return i < n ? Upper(tag[i]) : '\0'; };
    // Whether the tag, upper-cased, begins with prefix.
    const auto starts = [&](const char* prefix) {
        size_t i = 0;
        while (prefix[i] != '\0' && at(i) == prefix[i]) ++i;
        return prefix[i] == '\0';
    };
    const auto headingDigit = [&](size_t i) { return at(i) >= '1' && at(i) <= '5' ? at(i) - '0' : 0; };
    if (n < 2) return 0;
    if (tag[1] == '/') {
        switch (at(2)) {
            case 'T':
                return starts("</TITLE") ? kBoundary | kTitleOff : 0u;
            case 'H':
                level = headingDigit(3);
                if (level == 0) return 0;
                return kHeadingOff | (at(4) == '>' ? kBoundary : 0u);
            case 'A':
                return kLinkEnd | (at(3) == '>' ? kBoundary : 0u);
            case 'S':
                return starts("</SCRIPT") || starts("</STYLE") ? kSkipOff : 0u;
            default:
                return 0;
        }
    }
    switch (at(1)) {
        case 'T':
            if (starts("<TITLE")) return kTitleOn;
            return at(2) == 'D' ? kBoundary : 0u;
        case 'H':
            level = headingDigit(2);
            return level != 0 ? kBoundary | kHeadingOn : 0u;
        case 'A':
            return at(2) == ' ' ? kBoundary | kLinkStart : 0u;
        case 'I':
            return starts("<IMG ") ? kBoundary | kImage : 0u;
        case 'B':
            return at(2) == 'R' ? kBoundary : 0u;
        case 'P':
            return kBoundary;
        case 'S':
            return starts("<SCRIPT ") || starts("<STYLE ") ? kBoundary | kSkipOn : 0u;
        default:
            return 0;
    }
}

// Whether text holds word (upper case), letters compared without their case.
bool ContainsNoCase(std::string_view text, std::string_view word) {
    if (word.empty() || text.size() < word.size()) return word.empty();
    for (size_t i = 0; i + word.size() <= text.size(); ++i) {
        size_t k = 0;
        while (k < word.size() && Upper(text[i + k]) == word[k]) ++k;
        if (k == word.size()) return true;
    }
    return false;
}

// Text without its tabs appended to out.
void AppendWithoutTabs(std::string& out, const char* from, const char* to) {
    while (from < to) {
        const char* tab = FindByte(from, to, '\t');
        out.append(from, tab);
        from = tab + (tab != to ? 1 : 0);
    }
}

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
    return vocabularyIndex_.Find(word, WordIndex::Hash(word), Vocabulary);
}

int32_t AnalysisEngine::AddWord(std::string_view word, uint64_t hash) {
    if (const int32_t id = vocabularyIndex_.Find(word, hash, Vocabulary); id != 0) return id;
    Vocabulary.emplace_back(word);
    const auto id = static_cast<int32_t>(Vocabulary.size());
    vocabularyIndex_.Insert(hash, id);
    return id;
}

void AnalysisEngine::AddBlock(std::string_view text, int32_t kind) {
    if (text.substr(0, 2) == "/*") return;
    std::string_view source = text;
    if (text.find('&') != std::string_view::npos) {
        decoded_ = DecodeEntities(text);
        source = decoded_;
    }
    // Lower case, punctuation to spaces and, when asked, accents folded, in one pass: each step
    // turns one character into at most one.
    const NormalTable& table = RemoveAccents ? FoldingTable() : PlainTable();
    normal_.resize(source.size());
    size_t length = 0;
    for (const char c : source) {
        const int16_t to = table[static_cast<unsigned char>(c)];
        if (to >= 0) normal_[length++] = static_cast<char>(to);
    }
    normal_.resize(length);

    Block block;
    block.Kind = kind;
    ForEachPiece(normal_, [&](std::string_view word) {
        if (word.empty()) return;
        if (static_cast<int64_t>(word.size()) < MinWordLength) {
            ++IgnoredWordCount;
            return;
        }
        const uint64_t hash = WordIndex::Hash(word);
        if (dataM_.Contains(word, hash)) {
            ++IgnoredWordCount;
            return;
        }
        ++SignificantWordCount;
        block.WordIds.push_back(AddWord(word, hash));
    });
    if (block.WordIds.empty()) return;
    block.WordCount = static_cast<int32_t>(block.WordIds.size());
    MaxBlockWords = std::max(MaxBlockWords, block.WordCount);
    Blocks.push_back(std::move(block));
}

void AnalysisEngine::AnalysePage(const std::vector<std::string>& lines) {
    ScannerState state;
    std::string& pending = pending_;
    std::string& tag = tag_;  // a tag that runs over the end of its line
    pending.clear();
    bool inTag = false;

    const auto flush = [&] {
        // Nothing to record, or nothing to be recorded while skipping.
        if (pending.empty() || state.skipping) {
            pending.clear();
            return;
        }
        std::string_view text = pending;
        std::optional<std::string> decoded;
        if (state.utf8) {
            decoded = Utf8ToWindows1252(text);
            if (decoded && !decoded->empty()) text = *decoded;
        }
        AddBlock(text, state.Kind());
        pending.clear();
    };

    const auto handleTag = [&](std::string_view tag) {
        // Only a tag that can hold "charset=utf-8" is looked into.
        if (!state.utf8 && tag.size() >= kShortestCharsetTag && FindBeforeEquals(tag, "CHARSET") != std::string_view::npos &&
            ContainsNoCase(tag, "UTF-8")) {
            state.utf8 = true;
        }
        int level = 0;
        const uint32_t effects = TagEffects(tag, level);
        if (effects == 0) return;
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
        if (effects & kHeadingOn) state.inHeading[level] = true;
        if (effects & kTitleOff) state.inTitle = false;
        if (effects & kHeadingOff) state.inHeading[level] = false;
    };

    for (const std::string& line : lines) {
        const char* p = line.data();
        const char* end = p + line.size();
        while (p < end) {
            if (inTag) {
                // A tag begun on an earlier line.
                const char* close = FindByte(p, end, '>');
                const char* stop = close != end ? close + 1 : end;
                tag.append(p, stop);
                p = stop;
                if (close != end) {
                    inTag = false;
                    handleTag(tag);
                }
                continue;
            }
            const char* open = FindByte(p, end, '<');
            AppendWithoutTabs(pending, p, open);
            p = open;
            if (open == end) break;
            if (!pending.empty()) pending += ' ';
            const char* close = FindByte(p, end, '>');
            if (close != end) {
                // The whole tag on this line: read where it stands.
                handleTag(std::string_view(p, static_cast<size_t>(close + 1 - p)));
                p = close + 1;
            } else {
                tag.assign(p, end);
                inTag = true;
                p = end;
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

const AnalysisEngine::NormalTable& AnalysisEngine::PlainTable() {
    static const NormalTable table = [] {
        NormalTable t{};
        for (int c = 0; c < 256; ++c) {
            char to = static_cast<char>(c);
            if (to >= 'A' && to <= 'Z') to = static_cast<char>(to - 'A' + 'a');
            if (kIsPunctuation[static_cast<unsigned char>(to)]) to = ' ';
            t[c] = static_cast<unsigned char>(to);
        }
        return t;
    }();
    return table;
}

const AnalysisEngine::NormalTable& AnalysisEngine::FoldingTable() {
    static const NormalTable table = [] {
        NormalTable t = PlainTable();
        const EntityTable& entities = BuildEntityTable();
        for (int c = 0; c < 256; ++c) {
            if (t[c] < 0) continue;
            if (const std::string* plain = entities.FoldOf(static_cast<unsigned char>(t[c])))
                t[c] = plain->empty() ? int16_t{-1} : static_cast<unsigned char>((*plain)[0]);
        }
        return t;
    }();
    return table;
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
