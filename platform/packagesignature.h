#pragma once

// Signatures of the update packages: Ed25519 over the whole file (libsodium's multi-part form,
// Ed25519ph), written as 128 hexadecimal digits. Keys are hexadecimal texts too: 64 digits for
// the public key, 128 for the secret one.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

class SignatureError : public std::runtime_error {
public:
    explicit SignatureError(const std::string& what) : std::runtime_error(what) {}
};

struct SigningKeys {
    std::string publicKey;
    std::string secretKey;
};

// A new pair of keys.
SigningKeys MakeSigningKeys();

// The signature of the file's bytes; SignatureError when the file cannot be read or the key is
// not a secret key.
std::string SignFile(const std::filesystem::path& file, std::string_view secretKey);

// True when signature (hexadecimal, surrounding white space ignored) signs the file's bytes for
// the public key; false for anything else, a malformed signature or key included.
bool VerifyFile(const std::filesystem::path& file, std::string_view signature, std::string_view publicKey);
