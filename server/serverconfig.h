#pragma once

// The configuration of the maker's server: its data folder's server.json and the pages it
// names, read and checked once at start.

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "server/versions.h"

// A problem of the data folder: the file concerned and what is wrong with it.
class ConfigError : public std::runtime_error {
public:
    ConfigError(const std::filesystem::path& file, const std::string& problem)
        : std::runtime_error(file.string() + ": " + problem) {}
};

struct ProductConfig {
    int number = 41;
    std::string version;
    Version parsedVersion;
    bool major = false;
    std::string package;                  // folder below packages/
    std::vector<std::string> offerLines;  // the offer page, one entry per line, line breaks cut
};

struct UpdaterConfig {
    int number = 101;
    std::string version;
    Version parsedVersion;
    std::string package;
};

struct ServerConfig {
    ProductConfig product;
    UpdaterConfig updater;
    std::string infoPage;                     // the information page, as stored
    std::optional<std::pair<int, int>> keys;  // without them every reply gets fresh keys
};

// Pages and replies are kept to this size.
inline constexpr size_t MaxPageBytes = 1 << 20;

// Reads configFile (server.json of dataFolder by default) and the pages it names, relative to
// dataFolder; ConfigError names the file and the problem.
ServerConfig LoadServerConfig(const std::filesystem::path& dataFolder,
                              const std::filesystem::path& configFile = {});

// The lines of a page: cut at LF, a CR before it dropped, no empty entry after a final break.
std::vector<std::string> PageLines(const std::string& page);
