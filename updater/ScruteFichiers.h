#pragma once

// The recursive walk of a folder: FileAction for every file and FolderAction for every
// sub-folder. All files of a folder come before its sub-folders, and each sub-folder's
// FolderAction before the entries inside it; within a folder, names come in byte order.

#include <functional>
#include <string>

class FolderWalk {
public:
    using Action = std::function<void(const std::string& path)>;

    // No-ops until set.
    Action FileAction = [](const std::string&) {};
    Action FolderAction = [](const std::string&) {};
    // Lets the window process its messages: before every file entry and after every folder.
    std::function<void()> ProcessMessages = [] {};

    // folder: a trailing separator is dropped. mask: "*.*" or "*" for every name, else an exact
    // name. Symbolic links are neither followed nor reported.
    void WalkFolder(const std::string& folder, const std::string& mask, bool recursive);
};
