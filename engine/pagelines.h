#pragma once

// Cutting a received page into the lines the scanner reads, as its bytes arrive.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Characters of line text kept per page (line separators not counted).
constexpr int32_t PageSizeCap = 124000;

// Bytes of a page taken at most, whatever they hold (a page of empty lines never reaches the
// character cap); more counts as a page cut at the cap.
constexpr uint64_t PageByteCap = 16 << 20;

// Appends the non-empty lines of the bytes given, block after block, to lines, adding their
// lengths to fetchedChars. A line ends at CR, LF or CR LF, and at a byte 00 within it (the rest
// of that line is dropped). Once the total passes PageSizeCap, the line that crossed it and
// every line after it are dropped, and nothing more is taken.
class PageLineSplitter {
public:
    PageLineSplitter(std::vector<std::string>& lines, int32_t& fetchedChars)
        : lines_(lines), fetchedChars_(fetchedChars) {}

    // Takes the next bytes; false once the cap has been passed (PageByteCap bytes included).
    bool Add(std::string_view bytes);

    // The bytes have ended: the last line counts even without its separator. False when the
    // cap has been passed.
    bool Finish();

    bool CapPassed() const { return capPassed_; }

    // Bytes taken so far.
    uint64_t Bytes() const { return bytes_; }

private:
    void EndLine();

    std::vector<std::string>& lines_;
    int32_t& fetchedChars_;
    std::string line_;
    bool afterNul_ = false;
    bool capPassed_ = false;
    uint64_t bytes_ = 0;
};

// The whole of bytes at once: Add then Finish. Returns false when the total passed the cap.
bool LoadMemoFromMemoryStream(std::vector<std::string>& lines, std::string_view bytes, int32_t& fetchedChars);
