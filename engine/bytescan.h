#pragma once

// Finding a byte in a run of bytes: a plain look at the first few, where pages often have
// what is looked for, then memchr for long runs.

#include <cstddef>
#include <cstring>

// The first c in [from, to), or to.
inline const char* FindByte(const char* from, const char* to, char c) {
    constexpr std::ptrdiff_t kPlainLook = 8;
    const char* near = to - from > kPlainLook ? from + kPlainLook : to;
    for (; from < near; ++from) {
        if (*from == c) return from;
    }
    if (from == to) return to;
    const void* at = std::memchr(from, c, static_cast<size_t>(to - from));
    return at != nullptr ? static_cast<const char*>(at) : to;
}
