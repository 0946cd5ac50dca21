#pragma once

// The installation of a package: the archive checked and extracted into the extraction folder,
// then everything below its PROGRAM folder copied over the product's folder, file by file,
// each through a temporary file renamed over its target so that no installed file is ever
// lost half-way.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

// The archive cannot be installed: missing, not a zip archive, damaged or unsafe.
class ExtractionError : public std::runtime_error {
public:
    explicit ExtractionError(const std::string& what) : std::runtime_error(what) {}
};

// A file of the package could not be put in place; what() names it.
class InstallError : public std::runtime_error {
public:
    InstallError(const std::filesystem::path& target, const std::string& why)
        : std::runtime_error(why), target_(target) {}
    const std::filesystem::path& Target() const { return target_; }

private:
    std::filesystem::path target_;
};

// The largest content an update package may unpack to.
inline constexpr uint64_t MaxPackageContentBytes = uint64_t{2} << 30;

// Extracts the archive into the extraction folder (created when missing, kept afterwards), then
// deletes the archive; ExtractionError before anything is written when the archive is refused.
void ExtractPackage(const std::filesystem::path& archive, const std::filesystem::path& extractionFolder);

// Copies source over target through a temporary file in the target's folder, keeping the
// source's permissions; false when it could not.
bool ReplaceFile(const std::filesystem::path& source, const std::filesystem::path& target);

class Installer {
public:
    // Every file below sourceRoot goes to the same place below targetRoot.
    Installer(std::filesystem::path sourceRoot, std::filesystem::path targetRoot);

    // A failing copy is tried this many times in all, with the wait between tries during which
    // the window processes its messages.
    int Attempts = 5;
    std::chrono::milliseconds RetryDelay{500};
    std::function<void(std::chrono::milliseconds)> Wait = [](std::chrono::milliseconds) {};

    // The folder walk's actions: InstallError when a file cannot be put in place.
    void InstallFile(const std::string& path);
    void InstallFolder(const std::string& path);

    // Walks the source root (nothing when it is missing) and installs everything below it.
    void InstallAll(const std::function<void()>& processMessages);

private:
    std::filesystem::path TargetOf(const std::string& path) const;

    std::filesystem::path sourceRoot_;
    std::filesystem::path targetRoot_;
};
