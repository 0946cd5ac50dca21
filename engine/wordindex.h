#pragma once

// Ids of words found by their text without copying it: open addressing over a power-of-two
// table whose slots hold a word's hash and its 1-based id; the words themselves stay in the
// list the ids point into.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class WordIndex {
public:
    // FNV-1a, 64 bits: cheap for the short words of a page.
    static uint64_t Hash(std::string_view word) {
        uint64_t h = 14695981039346656037ULL;
        for (const char c : word) {
            h ^= static_cast<unsigned char>(c);
            h *= 1099511628211ULL;
        }
        return h;
    }

    // The id of the word (its hash given), or 0; words[id - 1] is the word of an id.
    int32_t Find(std::string_view word, uint64_t hash, const std::vector<std::string>& words) const {
        if (slots_.empty()) return 0;
        for (size_t i = hash & mask_;; i = (i + 1) & mask_) {
            const Slot& slot = slots_[i];
            if (slot.id == 0) return 0;
            if (slot.hash == hash && words[static_cast<size_t>(slot.id - 1)] == word) return slot.id;
        }
    }

    // Records an id that Find does not know yet.
    void Insert(uint64_t hash, int32_t id) {
        if ((count_ + 1) * 2 > slots_.size()) Grow();
        Place(hash, id);
        ++count_;
    }

    void Clear() {
        slots_.clear();
        mask_ = 0;
        count_ = 0;
    }

private:
    struct Slot {
        uint64_t hash = 0;
        int32_t id = 0;  // 0: empty
    };

    void Place(uint64_t hash, int32_t id) {
        size_t i = hash & mask_;
        while (slots_[i].id != 0) i = (i + 1) & mask_;
        slots_[i] = {hash, id};
    }

    void Grow() {
        std::vector<Slot> old = std::move(slots_);
        slots_.assign(old.empty() ? 64 : old.size() * 2, Slot{});
        mask_ = slots_.size() - 1;
        for (const Slot& slot : old) {
            if (slot.id != 0) Place(slot.hash, slot.id);
        }
    }

    std::vector<Slot> slots_;
    size_t mask_ = 0;
    size_t count_ = 0;
};
