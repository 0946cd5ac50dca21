#pragma once

// The data module of the analysis program: holds the French stop word list.

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "engine/texthash.h"

class TdataM {
public:
    TdataM();

    // The 126 stop words, in Windows-1252, in their fixed order.
    const std::vector<std::string>& stopwordlist() const { return words_; }

    // True when the word equals an entry of the list exactly (case and accents included).
    bool Contains(std::string_view word) const { return index_.find(word) != index_.end(); }

private:
    std::vector<std::string> words_;
    std::unordered_set<std::string, TextHash, std::equal_to<>> index_;
};
