#pragma once

// The updater's settings file "ProxyUPD.prm": five scrambled fields, the proxy switch ("VRAI"
// or "FAUX"), host, port, user name and password. Texts are Windows-1252.

#include <array>
#include <filesystem>
#include <optional>
#include <string>

inline constexpr const char* ProxySettingsFileName = "ProxyUPD.prm";

// What the proxy panel shows and the file holds.
struct ProxyPanelValues {
    bool useProxy = false;
    std::string host;
    std::string port;
    std::string user;
    std::string password;
};

// What the HTTP clients are given before every request.
struct ProxySettings {
    std::string Host;  // empty: direct connections
    std::string Port;
    std::string User;
    std::string Password;
};

// The file's bytes for the values.
std::string ProxySettingsBytes(const ProxyPanelValues& values);

// The fields of a file's bytes, read in order until one runs past the end (or claims more than
// 255 characters): the texts read so far, and whether all five were read.
struct ProxySettingsRead {
    std::array<std::optional<std::string>, 5> fields;
    bool complete = false;
};
ProxySettingsRead ReadProxySettingsBytes(std::string_view bytes);

// Writes the file, readable and writable by its owner only; false when it could not be written
// whole.
bool WriteProxySettingsFile(const std::filesystem::path& file, const ProxyPanelValues& values);

// The file's bytes (as far as five fields can reach), or nothing when it cannot be read.
std::optional<std::string> ReadProxySettingsFile(const std::filesystem::path& file);
