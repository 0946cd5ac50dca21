#include "engine/pagelines.h"

#include <algorithm>
#include <limits>

bool LoadMemoFromMemoryStream(std::vector<std::string>& lines, std::string_view bytes,
                              int32_t& fetchedChars) {
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(pos, end - pos);
        if (const size_t nul = line.find('\0'); nul != std::string_view::npos) line = line.substr(0, nul);

        const int64_t total = static_cast<int64_t>(fetchedChars) + static_cast<int64_t>(line.size());
        fetchedChars = static_cast<int32_t>(std::min<int64_t>(total, std::numeric_limits<int32_t>::max()));
        if (total > PageSizeCap) return false;
        if (!line.empty()) lines.emplace_back(line);

        if (end == bytes.size()) break;
        pos = end + (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1);
    }
    return true;
}
