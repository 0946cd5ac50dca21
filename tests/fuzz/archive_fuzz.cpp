// The installation's archive checks on any entry name and on any archive bytes: a name is
// either refused or a relative path that stays inside the extraction folder, and an archive is
// either refused with ArchiveError or made only of such entries within the size allowed.
// Input: a byte choosing the check, then the name or the archive.

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/ziparchive.h"
#include "tests/fuzz/fuzzing.h"

namespace fs = std::filesystem;

namespace {

constexpr uint64_t kLargestContent = 1 << 20;

void CheckPath(const fs::path& path) {
    FUZZ_CHECK(!path.empty() && path.is_relative() && !path.has_root_name() && !path.has_root_directory());
    for (const fs::path& part : path) {
        FUZZ_CHECK(!part.empty() && part != "." && part != "..");
        FUZZ_CHECK(part.native().find(':') == std::string::npos);
    }
    const fs::path folder = "/extraction/folder";
    const fs::path relative = (folder / path).lexically_normal().lexically_relative(folder);
    FUZZ_CHECK(!relative.empty() && *relative.begin() != "..");
}

void CheckName(std::string_view name) {
    const std::optional<fs::path> path = SafeEntryPath(name);
    if (path) {
        CheckPath(*path);
        return;
    }
    // A refused name is of a kind the check refuses: absolute, climbing, with a drive letter or
    // a byte 00, or naming no file at all.
    FUZZ_CHECK(name.empty() || name.front() == '/' || name.front() == '\\' ||
               name.find("..") != std::string_view::npos || name.find(':') != std::string_view::npos ||
               name.find('\0') != std::string_view::npos ||
               name.find_first_not_of("./\\") == std::string_view::npos);
}

void CheckArchiveBytes(std::string_view bytes) {
    static const fs::path file = fs::temp_directory_path() / ("archive-fuzz-" + std::to_string(::getpid()) + ".zip");
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    try {
        uint64_t total = 0;
        for (const ArchiveEntry& entry : CheckArchive(file, kLargestContent)) {
            CheckPath(entry.path);
            FUZZ_CHECK((entry.permissions & ~0777u) == 0);
            FUZZ_CHECK(!entry.directory || entry.size == 0);
            total += entry.size;
        }
        FUZZ_CHECK(total <= kLargestContent);
    } catch (const ArchiveError&) {
        // Refused whole: the one failure a damaged archive may cause.
    }
    std::error_code ec;
    fs::remove(file, ec);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    if (input.Byte() % 2 == 0) {
        CheckName(input.Rest());
    } else {
        CheckArchiveBytes(input.Rest());
    }
    return 0;
}
