#pragma once

// Archives made by the tests, with libzip: each entry with its data, its Unix mode and its
// storage (compressed or stored as it is).

#include <zip.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

struct ZipEntry {
    std::string name;  // a name ending in "/" is a folder
    std::string data;
    unsigned mode = 0100644;  // Unix type and permissions
    bool stored = false;
};

inline void MakeZip(const std::filesystem::path& file, const std::vector<ZipEntry>& entries) {
    std::filesystem::create_directories(file.parent_path());
    int error = 0;
    zip_t* archive = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (archive == nullptr) throw std::runtime_error("cannot create " + file.string());
    for (const ZipEntry& entry : entries) {
        zip_int64_t index = 0;
        if (!entry.name.empty() && entry.name.back() == '/') {
            index = zip_dir_add(archive, entry.name.c_str(), ZIP_FL_ENC_UTF_8);
        } else {
            // libzip reads the data when the archive is closed, and frees its copy then.
            char* copy = static_cast<char*>(std::malloc(entry.data.size() + 1));
            std::memcpy(copy, entry.data.data(), entry.data.size());
            zip_source_t* source = zip_source_buffer(archive, copy, entry.data.size(), 1);
            index = zip_file_add(archive, entry.name.c_str(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
            if (entry.stored)
                zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
        }
        if (index < 0) throw std::runtime_error("cannot add " + entry.name);
        zip_file_set_external_attributes(archive, static_cast<zip_uint64_t>(index), 0, ZIP_OPSYS_UNIX,
                                         static_cast<zip_uint32_t>(entry.mode) << 16);
    }
    if (zip_close(archive) != 0) throw std::runtime_error("cannot write " + file.string());
}
