#pragma once

// The data module of the analysis program: holds the French stop word list.

#include <string>
#include <string_view>
#include <vector>

#include "engine/wordindex.h"

class TdataM {
public:
    TdataM();

    // The 126 stop words, in Windows-1252, in their fixed order.
    const std::vector<std::string>& stopwordlist() const { return words_; }

    // True when the word equals an entry of the list exactly (case and accents included).
    bool Contains(std::string_view word) const { return Contains(word, WordIndex::Hash(word)); }
    bool Contains(std::string_view word, uint64_t hash) const { return index_.Find(word, hash, words_) != 0; }

private:
    std::vector<std::string> words_;
    WordIndex index_;
};
