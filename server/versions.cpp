#include "server/versions.h"

#include <algorithm>

std::optional<Version> ParseVersion(std::string_view text) {
    constexpr size_t kMaxDigits = 9;
    Version parts;
    size_t start = 0;
    while (true) {
        const size_t dot = std::min(text.find('.', start), text.size());
        const std::string_view part = text.substr(start, dot - start);
        if (part.empty() || part.size() > kMaxDigits) return std::nullopt;
        long value = 0;
        for (const char c : part) {
            if (c < '0' || c > '9') return std::nullopt;
            value = value * 10 + (c - '0');
        }
        parts.push_back(value);
        if (dot == text.size()) return parts;
        start = dot + 1;
    }
}

bool IsNewer(const Version& a, const Version& b) {
    const size_t count = std::max(a.size(), b.size());
    for (size_t i = 0; i < count; ++i) {
        const long x = i < a.size() ? a[i] : 0;
        const long y = i < b.size() ? b[i] : 0;
        if (x != y) return x > y;
    }
    return false;
}
