#include "platform/ziparchive.h"

#include <zip.h>

#include <fstream>
#include <memory>

namespace fs = std::filesystem;

namespace {

constexpr unsigned kFilePermissions = 0644;
constexpr unsigned kFolderPermissions = 0755;
constexpr unsigned kLinkType = 0120000;
constexpr unsigned kTypeMask = 0170000;

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

struct FileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using EntryFile = std::unique_ptr<zip_file_t, FileCloser>;

Archive Open(const fs::path& path) {
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (archive == nullptr) {
        zip_error_t reason;
        zip_error_init_with_code(&reason, error);
        const std::string text = zip_error_strerror(&reason);
        zip_error_fini(&reason);
        throw ArchiveError(path.string() + ": " + text);
    }
    return Archive(archive);
}

std::string Reason(zip_t* archive) {
    return zip_error_strerror(zip_get_error(archive));
}

// Reads an entry's data to its end, handing each block to sink; libzip checks the CRC at the end.
template <typename Sink>
void ReadEntry(zip_t* archive, zip_uint64_t index, const std::string& name, Sink&& sink) {
    EntryFile file(zip_fopen_index(archive, index, 0));
    if (!file) throw ArchiveError(name + ": " + Reason(archive));
    char buffer[64 * 1024];
    while (true) {
        const zip_int64_t got = zip_fread(file.get(), buffer, sizeof buffer);
        if (got < 0) throw ArchiveError(name + ": " + zip_error_strerror(zip_file_get_error(file.get())));
        if (got == 0) break;
        sink(buffer, static_cast<size_t>(got));
    }
}

}  // namespace

std::optional<fs::path> SafeEntryPath(std::string_view name) {
    if (name.empty() || name.front() == '/' || name.front() == '\\') return std::nullopt;
    fs::path path;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find_first_of("/\\", start);
        if (end == std::string_view::npos) end = name.size();
        const std::string_view part = name.substr(start, end - start);
        start = end + 1;
        if (part.empty() || part == ".") continue;
        if (part == ".." || part.find(':') != std::string_view::npos ||
            part.find('\0') != std::string_view::npos)
            return std::nullopt;
        path /= std::string(part);
    }
    if (path.empty()) return std::nullopt;
    return path;
}

std::vector<ArchiveEntry> CheckArchive(const fs::path& path, uint64_t maxTotalBytes) {
    const Archive archive = Open(path);
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    std::vector<ArchiveEntry> entries;
    uint64_t total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        zip_stat_t stat;
        if (zip_stat_index(archive.get(), index, 0, &stat) != 0 || (stat.valid & ZIP_STAT_NAME) == 0)
            throw ArchiveError(path.string() + ": entry " + std::to_string(i) + " unreadable");
        const std::string name = stat.name;
        const std::optional<fs::path> safe = SafeEntryPath(name);
        if (!safe) throw ArchiveError("unsafe entry name: " + name);
        ArchiveEntry entry;
        entry.path = *safe;
        entry.directory = name.back() == '/' || name.back() == '\\';
        entry.permissions = entry.directory ? kFolderPermissions : kFilePermissions;
        zip_uint8_t system = 0;
        zip_uint32_t attributes = 0;
        if (zip_file_get_external_attributes(archive.get(), index, 0, &system, &attributes) == 0 &&
            system == ZIP_OPSYS_UNIX) {
            const unsigned mode = attributes >> 16;
            if ((mode & kTypeMask) == kLinkType) throw ArchiveError("symbolic link in the archive: " + name);
            if ((mode & 0777) != 0) entry.permissions = mode & 0777;
        }
        if (!entry.directory) {
            uint64_t read = 0;
            ReadEntry(archive.get(), index, name, [&](const char*, size_t length) {
                read += length;
                if (total + read > maxTotalBytes)
                    throw ArchiveError("archive content larger than " + std::to_string(maxTotalBytes) +
                                       " bytes");
            });
            entry.size = read;
            total += read;
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

void ExtractArchive(const fs::path& path, const fs::path& folder, uint64_t maxTotalBytes) {
    const std::vector<ArchiveEntry> entries = CheckArchive(path, maxTotalBytes);
    std::error_code ec;
    fs::create_directories(folder, ec);
    const fs::path root = fs::canonical(folder, ec);
    if (ec) throw ArchiveError(folder.string() + ": " + ec.message());
    // Something already in the folder (a link left there) must not lead an entry outside it.
    const auto inside = [&](const fs::path& target) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        const fs::path relative = resolved.lexically_relative(root);
        return !ec && !relative.empty() && *relative.begin() != "..";
    };
    const Archive archive = Open(path);
    for (size_t i = 0; i < entries.size(); ++i) {
        const ArchiveEntry& entry = entries[i];
        const fs::path target = root / entry.path;
        if (!inside(target)) throw ArchiveError("entry would leave the folder: " + entry.path.string());
        if (entry.directory) {
            fs::create_directories(target, ec);
            if (ec) throw ArchiveError(target.string() + ": " + ec.message());
            continue;
        }
        fs::create_directories(target.parent_path(), ec);
        if (ec) throw ArchiveError(target.parent_path().string() + ": " + ec.message());
        if (fs::is_symlink(fs::symlink_status(target, ec))) fs::remove(target, ec);
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        if (!out) throw ArchiveError(target.string() + ": cannot be written");
        ReadEntry(archive.get(), i, entry.path.string(), [&](const char* data, size_t length) {
            out.write(data, static_cast<std::streamsize>(length));
        });
        out.close();
        if (!out) throw ArchiveError(target.string() + ": cannot be written");
        fs::permissions(target, static_cast<fs::perms>(entry.permissions), ec);
    }
}
