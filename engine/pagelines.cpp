#include "engine/pagelines.h"

#include <algorithm>
#include <limits>

namespace {

constexpr std::string_view kLineEnds("\r\n", 2);
constexpr std::string_view kLineEndsOrNul("\r\n\0", 3);

}  // namespace

void PageLineSplitter::EndLine() {
    if (!line_.empty()) lines_.push_back(std::move(line_));
    line_.clear();
    afterNul_ = false;
}

bool PageLineSplitter::Add(std::string_view bytes) {
    bytes_ += bytes.size();
    if (bytes_ > PageByteCap) {
        line_.clear();
        capPassed_ = true;
    }
    size_t pos = 0;
    while (!capPassed_ && pos < bytes.size()) {
        if (afterNul_) {
            // The rest of a line after a byte 00 is dropped.
            const size_t end = bytes.find_first_of(kLineEnds, pos);
            if (end == std::string_view::npos) return true;
            EndLine();
            pos = end + 1;
            continue;
        }
        size_t end = bytes.find_first_of(kLineEndsOrNul, pos);
        if (end == std::string_view::npos) end = bytes.size();
        const size_t length = end - pos;
        const int64_t total = static_cast<int64_t>(fetchedChars_) + static_cast<int64_t>(length);
        fetchedChars_ = static_cast<int32_t>(std::min<int64_t>(total, std::numeric_limits<int32_t>::max()));
        if (total > PageSizeCap) {
            line_.clear();
            capPassed_ = true;
            return false;
        }
        line_.append(bytes.substr(pos, length));
        if (end == bytes.size()) return true;
        if (bytes[end] == '\0') {
            afterNul_ = true;
        } else {
            EndLine();
        }
        pos = end + 1;
    }
    return !capPassed_;
}

bool PageLineSplitter::Finish() {
    if (!capPassed_) EndLine();
    return !capPassed_;
}

bool LoadMemoFromMemoryStream(std::vector<std::string>& lines, std::string_view bytes,
                              int32_t& fetchedChars) {
    PageLineSplitter splitter(lines, fetchedChars);
    return splitter.Add(bytes) && splitter.Finish();
}
