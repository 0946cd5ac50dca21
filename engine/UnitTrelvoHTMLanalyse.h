#pragma once

// Text helpers of the analysis: the entity table and the operations built on it, attribute
// reading and form encoding. All text is Windows-1252, one byte per character.

#include <array>
#include <string>
#include <string_view>
#include <cstdint>

struct EntityRow {
    std::string Entity;  // as written in HTML, for instance "&eacute;"
    char Character;      // the character it stands for
    std::string Plain;   // plain form used by FoldAccents; empty removes the character
};

class EntityTable {
public:
    static constexpr int RowCount = 64;
    static constexpr int FoldRowCount = 57;  // rows 1 to 57 have a plain form in use
    static constexpr int AmpRow = 59;        // "&amp;", whose character can start a new entity

    EntityTable();
    EntityTable(const EntityTable&) = delete;
    EntityTable& operator=(const EntityTable&) = delete;

    // Row i, 1-based.
    const EntityRow& Row(int i) const { return rows_[i - 1]; }

    // Row number of an entity written exactly so, or 0.
    int FindRow(std::string_view entity) const;

    // Plain form of a character under FoldAccents, or nullptr when the character stays.
    const std::string* FoldOf(unsigned char c) const { return fold_[c]; }

private:
    std::array<EntityRow, RowCount> rows_;
    std::array<const std::string*, 256> fold_{};
    // Rows found by their entity packed into 8 bytes, by open addressing.
    struct PackedRow {
        uint64_t key = 0;
        size_t length = 0;
        int row = 0;  // 0: empty
    };
    static uint64_t Pack(std::string_view entity);
    static size_t SlotOf(uint64_t key);
    std::array<PackedRow, 128> packed_{};
};

// The table, built on first use and unchanged afterwards.
const EntityTable& BuildEntityTable();

// Numeric references first ("&#233;"), then the 64 table entities in table order.
std::string DecodeEntities(std::string_view text);

// Accented characters of table rows 1 to 57 replaced by their plain forms.
std::string FoldAccents(std::string_view text);

// Letters A to Z turned into a to z, and the reverse; no other character changes.
std::string LowerCaseAscii(std::string_view text);
std::string UpperCaseAscii(std::string_view text);

// Where name (ASCII letters), compared without case, first stands just before an "=" in text;
// npos when it does not.
size_t FindBeforeEquals(std::string_view text, std::string_view name);

// Value of the attribute name in a tag text, or an empty string.
std::string GetAttribute(std::string_view name, std::string_view tag);

// Form encoding: space as "+", letters and digits kept, "-" and "_" kept when flag is 1,
// everything else as "%" and two upper-case hexadecimal digits.
std::string FormEncode(std::string_view text, int flag);
