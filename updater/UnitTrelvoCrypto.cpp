#include "updater/UnitTrelvoCrypto.h"

namespace {

uint16_t Advance(uint16_t state, unsigned char stored) {
    return static_cast<uint16_t>((state + stored) * StateMultiplier + StateAddend);
}

}  // namespace

std::string ScrambleField(std::string_view text, uint16_t start) {
    const size_t n = text.size();
    const size_t b0 = n / 65025;
    const size_t b1 = (n - b0 * 65025) / 255;
    std::string out;
    out += static_cast<char>(b0);
    out += static_cast<char>(b1);
    out += static_cast<char>(n - b0 * 65025 - b1 * 255);
    uint16_t state = start;
    for (const char c : text) {
        const auto stored = static_cast<unsigned char>(static_cast<unsigned char>(c) ^ (state >> 8));
        out += static_cast<char>(stored);
        state = Advance(state, stored);
    }
    return out;
}

std::string UnscrambleText(std::string_view stored, uint16_t start) {
    std::string out;
    out.reserve(stored.size());
    uint16_t state = start;
    for (const char c : stored) {
        const auto y = static_cast<unsigned char>(c);
        out += static_cast<char>(y ^ (state >> 8));
        state = Advance(state, y);
    }
    return out;
}
