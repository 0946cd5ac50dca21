#pragma once

// Cutting a received page into the lines the scanner reads.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Characters of line text kept per page (line separators not counted).
constexpr int32_t PageSizeCap = 124000;

// Appends the non-empty lines of bytes to lines, adding their lengths to fetchedChars.
// A line ends at CR, LF or CR LF, and at a byte 00 within it. Returns false when the total
// passed PageSizeCap: the line that crossed it and every line after it are dropped.
bool LoadMemoFromMemoryStream(std::vector<std::string>& lines, std::string_view bytes, int32_t& fetchedChars);
