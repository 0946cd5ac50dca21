#include "resultformat.h"

namespace {

// num / den rounded to the nearest integer, halves upwards (both positive).
int64_t RoundedQuotient(int64_t num, int64_t den) {
    const int64_t q = num / den;
    return 2 * (num % den) >= den ? q + 1 : q;
}

}  // namespace

std::string DensityText(int32_t density) {
    return density < 0 ? std::string("- %") : std::to_string(density) + "%";
}

std::string SizeText(int32_t textLength) {
    constexpr int64_t kKilo = 1024;
    const int64_t n = textLength;
    if (n < kKilo)
        return std::to_string(n) + " octets";

    // 10^e <= n / 1024 < 10^(e+1); three significant digits keep multiples of 10^(e-2),
    // that is 10^e hundredths.
    int64_t power = 1;
    while (n >= kKilo * power * 10)
        power *= 10;
    const int64_t hundredths = RoundedQuotient(n * 100, kKilo * power) * power;
    const int64_t cents = hundredths % 100;
    return std::to_string(hundredths / 100) + "." + (cents < 10 ? "0" : "") + std::to_string(cents) + " Ko";
}
