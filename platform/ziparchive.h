#pragma once

// Our unzip component, on libzip: extraction of a ZIP archive below a folder, stored paths
// restored, missing folders created, existing files overwritten, Unix permissions kept. An
// archive is checked whole before anything is written: an entry that would land outside the
// folder, a symbolic link, or damaged data refuses the whole archive.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Why an archive was refused or could not be extracted.
class ArchiveError : public std::runtime_error {
public:
    explicit ArchiveError(const std::string& what) : std::runtime_error(what) {}
};

struct ArchiveEntry {
    std::filesystem::path path;  // relative, safe
    bool directory = false;
    unsigned permissions = 0;  // rwx bits for owner, group, others
    uint64_t size = 0;
};

// The relative path an entry name stands for ("/" or "\" between its parts), or nothing when
// the name is empty, absolute, holds a drive letter, a ".." part or a character that no file
// name may hold.
std::optional<std::filesystem::path> SafeEntryPath(std::string_view name);

// Reads the whole archive and checks every entry and its data (CRC included); the entries, or
// ArchiveError naming the first problem. Archives whose content exceeds maxTotalBytes are
// refused.
std::vector<ArchiveEntry> CheckArchive(const std::filesystem::path& archive, uint64_t maxTotalBytes);

// Checks the archive, then extracts it below folder (created when missing).
void ExtractArchive(const std::filesystem::path& archive, const std::filesystem::path& folder,
                    uint64_t maxTotalBytes);
