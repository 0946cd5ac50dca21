#include "platform/packagesignature.h"

#include <sodium.h>

#include <fstream>
#include <optional>
#include <vector>

namespace {

void Initialise() {
    if (sodium_init() < 0) throw SignatureError("libsodium cannot start");
}

std::string ToHex(const unsigned char* bytes, size_t length) {
    std::string hex(length * 2 + 1, '\0');
    sodium_bin2hex(hex.data(), hex.size(), bytes, length);
    hex.pop_back();
    return hex;
}

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// The bytes of an exact-length hexadecimal text, or nothing.
std::optional<std::vector<unsigned char>> FromHex(std::string_view hex, size_t length) {
    hex = Trimmed(hex);
    if (hex.size() != length * 2) return std::nullopt;
    std::vector<unsigned char> bytes(length);
    size_t written = 0;
    if (sodium_hex2bin(bytes.data(), bytes.size(), hex.data(), hex.size(), nullptr, &written, nullptr) != 0 ||
        written != length) {
        return std::nullopt;
    }
    return bytes;
}

// Feeds the file's bytes to the signing state; false when it cannot be read.
bool Hash(const std::filesystem::path& file, crypto_sign_state& state) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    std::vector<char> buffer(64 * 1024);
    while (in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const std::streamsize got = in.gcount();
        if (got > 0)
            crypto_sign_update(&state, reinterpret_cast<const unsigned char*>(buffer.data()),
                               static_cast<unsigned long long>(got));
    }
    return !in.bad();
}

}  // namespace

SigningKeys MakeSigningKeys() {
    Initialise();
    unsigned char publicKey[crypto_sign_PUBLICKEYBYTES];
    unsigned char secretKey[crypto_sign_SECRETKEYBYTES];
    crypto_sign_keypair(publicKey, secretKey);
    SigningKeys keys{ToHex(publicKey, sizeof publicKey), ToHex(secretKey, sizeof secretKey)};
    sodium_memzero(secretKey, sizeof secretKey);
    return keys;
}

std::string SignFile(const std::filesystem::path& file, std::string_view secretKey) {
    Initialise();
    std::optional<std::vector<unsigned char>> key = FromHex(secretKey, crypto_sign_SECRETKEYBYTES);
    if (!key) throw SignatureError("the secret key is not 128 hexadecimal digits");
    crypto_sign_state state;
    crypto_sign_init(&state);
    if (!Hash(file, state)) throw SignatureError(file.string() + ": cannot be read");
    unsigned char signature[crypto_sign_BYTES];
    crypto_sign_final_create(&state, signature, nullptr, key->data());
    sodium_memzero(key->data(), key->size());
    return ToHex(signature, sizeof signature);
}

bool VerifyFile(const std::filesystem::path& file, std::string_view signature, std::string_view publicKey) {
    if (sodium_init() < 0) return false;
    const std::optional<std::vector<unsigned char>> key = FromHex(publicKey, crypto_sign_PUBLICKEYBYTES);
    std::optional<std::vector<unsigned char>> sig = FromHex(signature, crypto_sign_BYTES);
    if (!key || !sig) return false;
    crypto_sign_state state;
    crypto_sign_init(&state);
    if (!Hash(file, state)) return false;
    return crypto_sign_final_verify(&state, sig->data(), key->data()) == 0;
}
