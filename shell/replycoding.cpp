#include "shell/replycoding.h"

#include <algorithm>

namespace {

constexpr int64_t kBase = 255;

// The running value of the scrambling: it starts at the start value and, past 255, is brought
// back by steps of 255, so it ends between 1 and 255, never at 0.
int64_t Reduce(int64_t running) {
    return running > kBase ? (running - 1) % kBase + 1 : running;
}

// Start values beyond this would overflow the running value's arithmetic.
constexpr int64_t kLargestStart = int64_t{1} << 50;

void CheckStart(int64_t start) {
    if (start < 0 || start > kLargestStart) throw std::out_of_range("start value out of range");
}

void CheckKey(int key) {
    if (key < 0 || key > 255) throw std::out_of_range("reply key out of 0..255: " + std::to_string(key));
}

// The offset that the running value subtracts from each byte, in 0..254.
int64_t OffsetOf(int64_t k, int64_t running) {
    return (k + 3 * running) % kBase;
}

}  // namespace

std::string Descramble(std::string_view text, int key1, int key2, int64_t start) {
    CheckStart(start);
    const int64_t k = static_cast<int64_t>(key1) * key2;
    int64_t running = start;
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        int64_t v = static_cast<unsigned char>(c) - (k + 3 * running);
        if (v < 0) v = (v % kBase + kBase) % kBase;
        out += static_cast<char>(v);
        running = Reduce(2 * v + 9 * k + 7 * running);
    }
    return out;
}

std::string Scramble(std::string_view text, int key1, int key2, int64_t start) {
    CheckStart(start);
    const int64_t k = static_cast<int64_t>(key1) * key2;
    int64_t running = start;
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const int64_t v = static_cast<unsigned char>(text[i]);
        int64_t c = 0;
        if (v == 255) {
            // Only a byte 255 with nothing to subtract gives 255.
            if (k + 3 * running != 0) {
                throw UnencodableText("the byte 255 at position " + std::to_string(i + 1) +
                                      " cannot be carried there");
            }
            c = 255;
        } else {
            c = (v + OffsetOf(k, running)) % kBase;
        }
        out += static_cast<char>(c);
        running = Reduce(2 * v + 9 * k + 7 * running);
    }
    return out;
}

ReplyReader::ReplyReader(std::string bytes) : bytes_(std::move(bytes)) {
    Need(2, "the two key bytes");
    ResponseKey1 = static_cast<unsigned char>(bytes_[0]);
    ResponseKey2 = static_cast<unsigned char>(bytes_[1]);
    ReadPos = 2;
}

void ReplyReader::Need(size_t count, const char* what) const {
    if (ReadPos > bytes_.size() || count > bytes_.size() - ReadPos) {
        throw ShortReply("short reply: " + std::string(what) + " at byte " + std::to_string(ReadPos) +
                         " runs past its " + std::to_string(bytes_.size()) + " bytes");
    }
}

int ReplyReader::ReadNumber() {
    Need(2, "a number");
    const int high = static_cast<unsigned char>(bytes_[ReadPos]);
    const int low = static_cast<unsigned char>(bytes_[ReadPos + 1]);
    ReadPos += 2;
    return high * 255 + low;
}

std::string ReplyReader::ReadField(int length) {
    if (length <= 0) return {};
    Need(static_cast<size_t>(length), "a field");
    std::string field = bytes_.substr(ReadPos, static_cast<size_t>(length));
    ReadPos += static_cast<size_t>(length);
    return field;
}

std::string ReplyReader::Descramble(std::string_view text, int64_t start) const {
    return ::Descramble(text, ResponseKey1, ResponseKey2, start);
}

std::string ReplyReader::ReadText(int64_t start) {
    const int length = ReadNumber();
    return Descramble(ReadField(length), start);
}

ReplyWriter::ReplyWriter(int key1, int key2) : key1_(key1), key2_(key2) {
    CheckKey(key1);
    CheckKey(key2);
    bytes_ += static_cast<char>(key1);
    bytes_ += static_cast<char>(key2);
}

void ReplyWriter::WriteNumber(int number) {
    if (number < 0 || number > MaxReplyNumber)
        throw std::out_of_range("reply number out of 0.." + std::to_string(MaxReplyNumber));
    const int high = std::min(number / 255, 255);
    bytes_ += static_cast<char>(high);
    bytes_ += static_cast<char>(number - high * 255);
}

void ReplyWriter::WriteText(std::string_view text, int64_t start) {
    if (text.size() > static_cast<size_t>(MaxReplyNumber))
        throw std::out_of_range("reply text longer than " + std::to_string(MaxReplyNumber) + " bytes");
    const std::string scrambled = Scramble(text, key1_, key2_, start);
    WriteNumber(static_cast<int>(scrambled.size()));
    bytes_ += scrambled;
}
