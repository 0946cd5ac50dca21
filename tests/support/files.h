#pragma once

// Files for the tests: folders of their own below the temporary folder, and whole files
// written and read.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

inline void Write(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

inline std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A fresh folder below the temporary folder, removed with its content.
class TemporaryFolder {
public:
    explicit TemporaryFolder(const std::string& stem = "quenby-test")
        : path(fs::temp_directory_path() /
               (stem + "-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++))) {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TemporaryFolder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    fs::path path;

private:
    static inline int counter_ = 0;
};
