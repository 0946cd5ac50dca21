#pragma once

// Version numbers: dotted decimal numbers such as "0.6" or "1.10", compared part by part as
// integers ("0.10" is newer than "0.9"; a missing part counts as 0).

#include <optional>
#include <string_view>
#include <vector>

using Version = std::vector<long>;

// The parts of a version text, or nothing when it is not dotted decimal numbers (each part
// 1 to 9 digits).
std::optional<Version> ParseVersion(std::string_view text);

// True when a is newer than b.
bool IsNewer(const Version& a, const Version& b);
