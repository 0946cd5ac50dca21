#include "updater/ScruteFichiers.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

bool Matches(const std::string& name, const std::string& mask) {
    return mask == "*.*" || mask == "*" || mask == name;
}

}  // namespace

void FolderWalk::WalkFolder(const std::string& folder, const std::string& mask, bool recursive) {
    std::string root = folder;
    if (root.size() > 1 && (root.back() == '/' || root.back() == '\\')) root.pop_back();
    std::vector<std::string> files;
    std::vector<std::string> folders;
    std::error_code ec;
    for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::file_status status = it->symlink_status(ec);
        if (ec) break;
        const std::string name = it->path().filename().string();
        if (fs::is_directory(status)) {
            folders.push_back(name);
        } else if (fs::is_regular_file(status) && Matches(name, mask)) {
            files.push_back(name);
        }
    }
    std::sort(files.begin(), files.end());
    std::sort(folders.begin(), folders.end());
    for (const std::string& name : files) {
        ProcessMessages();
        FileAction(root + "/" + name);
    }
    for (const std::string& name : folders) {
        FolderAction(root + "/" + name);
        if (recursive) WalkFolder(root + "/" + name, mask, recursive);
        ProcessMessages();
    }
}
