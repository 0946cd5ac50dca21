#pragma once

// The coding of the maker's server replies: two key bytes, numbers of two bytes in base 255,
// and text fields scrambled with the keys from a start value that each request defines. The
// reader serves both programs; the writer serves the server. Standard library only.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// A reply shorter than what its reader asked for: fewer than the two key bytes, or a number or
// a field that runs past the received bytes.
class ShortReply : public std::runtime_error {
public:
    explicit ShortReply(const std::string& what) : std::runtime_error(what) {}
};

// A text that the scrambling cannot carry for the given start value and keys.
class UnencodableText : public std::runtime_error {
public:
    explicit UnencodableText(const std::string& what) : std::runtime_error(what) {}
};

// The largest number: the bytes 255 and 255.
inline constexpr int MaxReplyNumber = 65280;

// Plain text of scrambled bytes, for the keys and a start value (0 or more, however large;
// std::out_of_range beyond 2^50).
std::string Descramble(std::string_view text, int key1, int key2, int64_t start);

// The bytes that descramble to text, or UnencodableText. Once the running value is above 0 no
// byte gives 255 (ÿ), so a text holding ÿ travels only where the running value is 0.
std::string Scramble(std::string_view text, int key1, int key2, int64_t start);

class ReplyReader {
public:
    // Takes the keys from the first two bytes and starts reading after them.
    explicit ReplyReader(std::string bytes);

    int ResponseKey1 = 0;
    int ResponseKey2 = 0;
    size_t ReadPos = 0;

    // Two bytes, first byte times 255 plus second byte.
    int ReadNumber();

    // The next length bytes as they are.
    std::string ReadField(int length);

    // The reply's descrambling with its keys.
    std::string Descramble(std::string_view text, int64_t start) const;

    // A field as the replies lay it out: its length as a number, then its bytes, descrambled.
    std::string ReadText(int64_t start);

    const std::string& Bytes() const { return bytes_; }

private:
    void Need(size_t count, const char* what) const;

    std::string bytes_;
};

class ReplyWriter {
public:
    ReplyWriter(int key1, int key2);

    // A number from 0 to MaxReplyNumber; std::out_of_range otherwise.
    void WriteNumber(int number);

    // A text field (its length then its scrambled bytes), or UnencodableText (nothing is
    // written then); std::out_of_range for a text longer than MaxReplyNumber.
    void WriteText(std::string_view text, int64_t start);

    int Key1() const { return key1_; }
    int Key2() const { return key2_; }
    const std::string& Bytes() const { return bytes_; }

private:
    int key1_;
    int key2_;
    std::string bytes_;
};
