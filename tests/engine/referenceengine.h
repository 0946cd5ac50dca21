#pragma once

// The analysis written the plain way, rule after rule, with nothing done for speed: the
// engine's figures must always be the same as these.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/UnitTrelvoHTMLanalyse.h"
#include "engine/datamodule.h"
#include "engine/procedureanalyse.h"
#include "engine/windows1252.h"

// The decoding as the rules state it, one table row after the other, each replacing its first
// occurrence while there is one. The engine's one-pass decoding must agree with it.
inline std::string ReferenceDecode(std::string rest) {
    std::string out;
    while (true) {
        const size_t start = rest.find("&#");
        if (start == std::string::npos) break;
        out += rest.substr(0, start);
        rest.erase(0, start + 2);
        const size_t semi = rest.find(';');
        if (semi == std::string::npos) break;
        const std::string content = rest.substr(0, semi);
        rest.erase(0, semi + 1);
        bool digits = !content.empty();
        for (const char c : content) digits = digits && c >= '0' && c <= '9';
        // The value counts, not the digits: leading zeros change nothing.
        const size_t first = content.find_first_not_of('0');
        const std::string significant = first == std::string::npos ? "0" : content.substr(first);
        if (digits && significant.size() <= 10 && std::stoll(significant) <= 2147483647LL) {
            out += static_cast<char>(std::stoll(significant) % 256);
        } else {
            out += "&#" + content + ";";
        }
    }
    std::string text = out + rest;
    const EntityTable& table = BuildEntityTable();
    for (int row = 1; row <= EntityTable::RowCount; ++row) {
        const std::string& entity = table.Row(row).Entity;
        for (size_t at = text.find(entity); at != std::string::npos; at = text.find(entity)) {
            text.replace(at, entity.size(), 1, table.Row(row).Character);
        }
    }
    return text;
}

inline std::string ReferenceFold(std::string text) {
    const EntityTable& table = BuildEntityTable();
    for (int row = 1; row <= EntityTable::FoldRowCount; ++row) {
        const char c = table.Row(row).Character;
        for (size_t at = text.find(c); at != std::string::npos; at = text.find(c)) {
            text.replace(at, 1, table.Row(row).Plain);
        }
    }
    return text;
}


inline std::string ReferenceLower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

inline std::string ReferenceUpper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

// The value of an attribute: after NAME= in the upper-cased tag, up to the closing quote, or
// unquoted up to a space, else up to a ">".
inline std::string ReferenceAttribute(const std::string& name, const std::string& tag) {
    const std::string upper = ReferenceUpper(tag);
    const std::string key = ReferenceUpper(name) + "=";
    const size_t at = upper.find(key);
    if (at == std::string::npos) return {};
    const std::string rest = tag.substr(at + key.size());
    if (rest.empty()) return {};
    if (rest[0] == '"' || rest[0] == '\'') {
        const size_t close = rest.find(rest[0], 1);
        return close == std::string::npos ? std::string() : rest.substr(1, close - 1);
    }
    size_t end = rest.find(' ');
    if (end == std::string::npos) end = rest.find('>');
    return end == std::string::npos ? std::string() : rest.substr(0, end);
}

// The pieces of a text: up to the next space, or 999 characters once no space is left (the
// 1000th is dropped); each trimmed of characters 0 to 32, empty ones included.
inline std::vector<std::string> ReferencePieces(const std::string& text) {
    std::vector<std::string> pieces;
    size_t i = 0;
    bool spaceLeft = true;
    while (i < text.size()) {
        std::string piece;
        const size_t space = spaceLeft ? text.find(' ', i) : std::string::npos;
        if (space == std::string::npos) spaceLeft = false;
        if (spaceLeft) {
            piece = text.substr(i, space - i);
            i = space + 1;
        } else {
            piece = text.substr(i, 999);
            i += 1000;
        }
        while (!piece.empty() && static_cast<unsigned char>(piece.front()) <= 32) piece.erase(0, 1);
        while (!piece.empty() && static_cast<unsigned char>(piece.back()) <= 32) piece.pop_back();
        pieces.push_back(piece);
    }
    return pieces;
}

class ReferenceAnalysis {
public:
    ReferenceAnalysis(const TdataM& dataM, bool removeAccents) : dataM_(dataM), removeAccents_(removeAccents) {}

    std::vector<std::string> Vocabulary;
    std::vector<Block> Blocks;
    int32_t Significant = 0;
    int32_t Ignored = 0;

    void NewPage() {
        Blocks.clear();
        Significant = 0;
        Ignored = 0;
    }

    void AddBlock(const std::string& raw, int32_t kind) {
        if (raw.rfind("/*", 0) == 0) return;
        std::string text = ReferenceLower(ReferenceDecode(raw));
        for (char& c : text) {
            if (std::string_view(".,'\"!?;*/()-_").find(c) != std::string_view::npos) c = ' ';
        }
        if (removeAccents_) text = ReferenceFold(text);
        Block block;
        block.Kind = kind;
        for (const std::string& piece : ReferencePieces(text)) {
            if (piece.empty()) continue;
            if (piece.size() < 3 || dataM_.Contains(piece)) {
                ++Ignored;
                continue;
            }
            ++Significant;
            size_t id = 0;
            while (id < Vocabulary.size() && Vocabulary[id] != piece) ++id;
            if (id == Vocabulary.size()) Vocabulary.push_back(piece);
            block.WordIds.push_back(static_cast<int32_t>(id + 1));
        }
        if (block.WordIds.empty()) return;
        block.WordCount = static_cast<int32_t>(block.WordIds.size());
        Blocks.push_back(block);
    }

    void AnalysePage(const std::vector<std::string>& lines) {
        bool title = false, link = false, skipping = false, utf8 = false;
        std::array<bool, 6> heading{};
        std::string pending, tag;
        bool inTag = false;
        const auto kind = [&]() -> int32_t {
            if (title) return ekTitle;
            const int32_t kinds[] = {0, ekH1, ekH2, ekH3, ekH4, ekH5};
            for (int l = 1; l <= 5; ++l) {
                if (heading[l]) return kinds[l];
            }
            return link ? ekA : ekBody;
        };
        const auto flush = [&] {
            std::string text = pending;
            pending.clear();
            if (utf8) {
                const std::optional<std::string> decoded = Utf8ToWindows1252(text);
                if (decoded && !decoded->empty()) text = *decoded;
            }
            if (!skipping) AddBlock(text, kind());
        };
        const auto starts = [](const std::string& upper, const char* prefix) { return upper.rfind(prefix, 0) == 0; };
        for (const std::string& line : lines) {
            for (const char c : line) {
                if (!inTag) {
                    if (c == '<') {
                        if (!pending.empty()) pending += ' ';
                        tag = "<";
                        inTag = true;
                    } else if (c != '\t') {
                        pending += c;
                    }
                    continue;
                }
                tag += c;
                if (c != '>') continue;
                inTag = false;
                const std::string u = ReferenceUpper(tag);
                if (!utf8 && u.find("CHARSET=") != std::string::npos && u.find("UTF-8") != std::string::npos) utf8 = true;
                int on = 0, off = 0;
                for (int l = 1; l <= 5; ++l) {
                    if (starts(u, ("<H" + std::to_string(l)).c_str())) on = l;
                    if (starts(u, ("</H" + std::to_string(l)).c_str())) off = l;
                }
                const bool boundary = starts(u, "</TITLE") || on != 0 || starts(u, "<A ") || starts(u, "</A>") ||
                                      starts(u, "<IMG ") || starts(u, "<BR") || starts(u, "<TD") || starts(u, "<P") ||
                                      starts(u, "<SCRIPT ") || starts(u, "<STYLE ") ||
                                      (off != 0 && u.size() >= 5 && u[4] == '>');
                if (boundary) flush();
                if (starts(u, "<SCRIPT ") || starts(u, "<STYLE ")) skipping = true;
                if (starts(u, "</SCRIPT") || starts(u, "</STYLE")) {
                    skipping = false;
                    pending.clear();
                }
                if (starts(u, "<IMG ")) {
                    const std::string alt = ReferenceAttribute("alt", tag);
                    if (!alt.empty()) AddBlock(alt, ekImgAlt);
                    const std::string imgTitle = ReferenceAttribute("title", tag);
                    if (!imgTitle.empty()) AddBlock(imgTitle, ekImgTitle);
                }
                if (starts(u, "</A")) link = false;
                if (starts(u, "<A ")) {
                    link = true;
                    const std::string linkTitle = ReferenceAttribute("title", tag);
                    if (!linkTitle.empty()) AddBlock(linkTitle, ekATitle);
                }
                if (starts(u, "<TITLE")) title = true;
                if (on != 0) heading[on] = true;
                if (starts(u, "</TITLE")) title = false;
                if (off != 0) heading[off] = false;
            }
        }
    }

    // The figures of the page: rows in display order, densities in whole percent with halves to
    // the even neighbour.
    PageFigures Summarise(const std::string& keyword, int32_t status, const std::vector<std::string>& lines) const {
        PageFigures figures;
        int64_t length = 0;
        for (const std::string& line : lines) length += static_cast<int64_t>(line.size()) + 2;
        figures.Summary = {Significant, Ignored, status, static_cast<int32_t>(length)};
        std::vector<int32_t> keywordIds;
        for (const std::string& piece : ReferencePieces(ReferenceLower(keyword))) {
            for (size_t id = 0; id < Vocabulary.size(); ++id) {
                if (!piece.empty() && Vocabulary[id] == piece) keywordIds.push_back(static_cast<int32_t>(id + 1));
            }
        }
        for (int row = 1; row <= DisplayRowCount; ++row) {
            ElementStats& stats = figures.Rows[row];
            int64_t occurrences = 0;
            for (const Block& block : Blocks) {
                if (block.Kind != ElementRows[row].Kind) continue;
                ++stats.Blocks;
                stats.Words += block.WordCount;
                for (const int32_t word : block.WordIds) {
                    for (const int32_t id : keywordIds) occurrences += word == id;
                }
            }
            stats.Occurrences = static_cast<int32_t>(occurrences);
            stats.Density = -1;
            if (occurrences > 0 && stats.Words > 0) {
                const int64_t scaled = occurrences * 100;
                int64_t density = scaled / stats.Words;
                const int64_t twice = 2 * (scaled % stats.Words);
                if (twice > stats.Words || (twice == stats.Words && density % 2 != 0)) ++density;
                stats.Density = static_cast<int32_t>(density);
            }
        }
        return figures;
    }

private:
    const TdataM& dataM_;
    bool removeAccents_;
};
