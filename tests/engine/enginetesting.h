#pragma once

// Helpers shared by the engine tests: a fresh engine per test, and test texts written in UTF-8
// turned into the engine's Windows-1252.

#include <string>
#include <string_view>
#include <vector>

#include "engine/datamodule.h"
#include "engine/procedureanalyse.h"
#include "engine/windows1252.h"

// Windows-1252 form of a UTF-8 test text.
inline std::string W(std::string_view utf8) {
    return *Utf8ToWindows1252(utf8);
}

struct BlockView {
    int32_t kind;
    std::string words;  // the block's words joined by single spaces, UTF-8

    bool operator==(const BlockView&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const BlockView& b) {
    return os << "{" << b.kind << ", \"" << b.words << "\"}";
}

class EngineFixture {
public:
    TdataM dataM;
    AnalysisEngine engine{dataM};

    // Scans the lines (UTF-8 test texts, or raw bytes with raw = true) and returns the blocks.
    std::vector<BlockView> Scan(const std::vector<std::string>& lines, bool raw = false) {
        engine.ResetPageCounters();
        std::vector<std::string> page;
        for (const std::string& line : lines) page.push_back(raw ? line : W(line));
        engine.AnalysePage(page);
        return Blocks();
    }

    std::vector<BlockView> Blocks() const {
        std::vector<BlockView> out;
        for (const Block& block : engine.Blocks) {
            std::string words;
            for (const int32_t id : block.WordIds) {
                if (!words.empty()) words += ' ';
                words += Windows1252ToUtf8(engine.Word(id));
            }
            out.push_back({block.Kind, words});
        }
        return out;
    }
};
