#include "engine/pagelines.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

// Position of the first CR or LF (and of the first byte 00 when withNul) from pos, or the size.
// Each is looked for with memchr within what is left before the nearest one found so far.
size_t FindLineEnd(std::string_view bytes, size_t pos, bool withNul) {
    size_t end = bytes.size();
    const auto nearest = [&](char c) {
        if (const void* at = std::memchr(bytes.data() + pos, c, end - pos))
            end = static_cast<size_t>(static_cast<const char*>(at) - bytes.data());
    };
    nearest('\n');
    nearest('\r');
    if (withNul) nearest('\0');
    return end;
}

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
            const size_t end = FindLineEnd(bytes, pos, false);
            if (end == bytes.size()) return true;
            EndLine();
            pos = end + 1;
            continue;
        }
        const size_t end = FindLineEnd(bytes, pos, true);
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
