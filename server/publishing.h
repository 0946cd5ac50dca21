#pragma once

// Publishing an update in the server's data folder: the package stored (and signed) under
// packages/, the offer page copied, and server.json changed so that the server offers it.

#include <filesystem>
#include <optional>
#include <string>

struct Publication {
    std::filesystem::path package;  // the ZIP archive
    std::string version;
    bool updater = false;  // the updater's own package instead of the product's
    bool major = false;
    std::optional<std::filesystem::path> offer;  // the product's offer page
    std::optional<std::string> secretKey;        // signs the package when given
};

// Stores the package as packages/vVERSION/NUMBER.zip (uVERSION for the updater) with its
// signature beside it, and updates server.json; ConfigError (or a filesystem error) when the
// data folder cannot take it. The configuration is checked whole before anything is written.
void Publish(const std::filesystem::path& dataFolder, const Publication& publication);

// The offer page written when none is given: a short French page announcing the version.
std::string DefaultOfferPage(const std::string& version);
