#include "workspace/resultformat.h"

#include <algorithm>

namespace {

// num / den rounded to the nearest integer, halves upwards (both positive).
int64_t RoundedQuotient(int64_t num, int64_t den) {
    const int64_t q = num / den;
    return 2 * (num % den) >= den ? q + 1 : q;
}

int64_t Power10(int e) {
    int64_t p = 1;
    while (e-- > 0) p *= 10;
    return p;
}

}  // namespace

int DensityColourIndex(int32_t density) {
    return std::max(0, (50 - density) / 5);
}

int ShareColourIndex(int32_t words, int32_t total) {
    if (total == 0) return 10;
    const int64_t index = 10 * (static_cast<int64_t>(total) - words) / total;
    return static_cast<int>(std::clamp<int64_t>(index, 0, 10));
}

std::string ShareText(int32_t words, int32_t total) {
    if (total <= 0 || words <= 0) return "0";
    // share = 100 * words / total; keep 3 significant digits, halves upwards, in integers.
    const int64_t num = 100 * static_cast<int64_t>(words);
    const int64_t den = total;
    int exponent = 0;  // 10^exponent <= share < 10^(exponent + 1)
    const auto atLeastPower = [&](int e) {
        return e >= 0 ? num >= den * Power10(e) : num * Power10(-e) >= den;
    };
    while (atLeastPower(exponent + 1)) ++exponent;
    while (!atLeastPower(exponent)) --exponent;
    const int scale = 2 - exponent;  // digits kept after the decimal point
    const int64_t digits =
        scale >= 0 ? RoundedQuotient(num * Power10(scale), den) : RoundedQuotient(num, den * Power10(-scale));
    const int decimals = std::max(0, scale);
    std::string text = std::to_string(digits);
    if (scale < 0) text += std::string(-scale, '0');
    if (decimals > 0) {
        if (static_cast<int>(text.size()) <= decimals) text.insert(0, decimals + 1 - text.size(), '0');
        text.insert(text.size() - decimals, ".");
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    return text;
}

std::string DensityText(int32_t density) {
    return density < 0 ? std::string("- %") : std::to_string(density) + "%";
}

std::string SizeText(int32_t textLength) {
    constexpr int64_t kKilo = 1024;
    const int64_t n = textLength;
    if (n < kKilo) return std::to_string(n) + " octets";

    // 10^e <= n / 1024 < 10^(e+1); three significant digits keep multiples of 10^(e-2),
    // that is 10^e hundredths.
    int64_t power = 1;
    while (n >= kKilo * power * 10) power *= 10;
    const int64_t hundredths = RoundedQuotient(n * 100, kKilo * power) * power;
    const int64_t cents = hundredths % 100;
    return std::to_string(hundredths / 100) + "." + (cents < 10 ? "0" : "") + std::to_string(cents) + " Ko";
}
