#pragma once

// Hash for string-keyed containers that can be searched with a string_view without copying.

#include <functional>
#include <string>
#include <string_view>

struct TextHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    size_t operator()(const std::string& text) const { return std::hash<std::string_view>{}(text); }
};
