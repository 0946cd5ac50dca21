#pragma once

// What the fuzz targets share: reading their input piece by piece, and checking properties.
// A broken property prints what broke and aborts, which the fuzzer reports as a crash and keeps
// the input.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#define FUZZ_CHECK(condition)                                                              \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                  \
        }                                                                                  \
    } while (false)

// The input, taken from the front: small numbers and texts first, the rest at the end.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : bytes_(reinterpret_cast<const char*>(data), size) {}

    // One byte, 0 when the input has ended.
    uint8_t Byte() {
        if (bytes_.empty()) return 0;
        const auto byte = static_cast<uint8_t>(bytes_.front());
        bytes_.remove_prefix(1);
        return byte;
    }

    // Two bytes, most significant first.
    uint16_t Word() {
        const uint16_t high = Byte();
        return static_cast<uint16_t>(high << 8 | Byte());
    }

    // The bytes up to the next separator (which is consumed), at most limit of them.
    std::string_view Until(char separator, size_t limit) {
        const size_t end = bytes_.substr(0, limit).find(separator);
        const size_t length = end == std::string_view::npos ? std::min(limit, bytes_.size()) : end;
        const std::string_view piece = bytes_.substr(0, length);
        bytes_.remove_prefix(length + (end == std::string_view::npos ? 0 : 1));
        return piece;
    }

    std::string_view Rest() {
        const std::string_view rest = bytes_;
        bytes_ = {};
        return rest;
    }

    bool Empty() const { return bytes_.empty(); }

private:
    std::string_view bytes_;
};
