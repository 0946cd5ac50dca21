#include "updater/installation.h"

#include <atomic>

#include "platform/ziparchive.h"
#include "updater/ScruteFichiers.h"

namespace fs = std::filesystem;

namespace {

// The longest relative path installed.
constexpr size_t kMaxRelativePath = 1000;

std::string TemporaryName(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    return "." + target.filename().string() + ".maj" + std::to_string(counter++);
}

}  // namespace

void ExtractPackage(const fs::path& archive, const fs::path& extractionFolder) {
    std::error_code ec;
    if (!fs::is_regular_file(archive, ec)) throw ExtractionError(archive.string() + ": missing");
    try {
        ExtractArchive(archive, extractionFolder, MaxPackageContentBytes);
    } catch (const ArchiveError& e) {
        throw ExtractionError(e.what());
    } catch (const fs::filesystem_error& e) {
        throw ExtractionError(e.what());
    }
    fs::remove(archive, ec);
}

bool ReplaceFile(const fs::path& source, const fs::path& target) {
    std::error_code ec;
    const fs::path temporary = target.parent_path() / TemporaryName(target);
    if (!fs::copy_file(source, temporary, fs::copy_options::overwrite_existing, ec)) {
        fs::remove(temporary, ec);
        return false;
    }
    fs::permissions(temporary, fs::status(source, ec).permissions(), ec);
    fs::rename(temporary, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return false;
    }
    return true;
}

Installer::Installer(fs::path sourceRoot, fs::path targetRoot)
    : sourceRoot_(std::move(sourceRoot)), targetRoot_(std::move(targetRoot)) {}

fs::path Installer::TargetOf(const std::string& path) const {
    std::string relative = path.substr(std::min(path.size(), sourceRoot_.string().size() + 1));
    if (relative.size() > kMaxRelativePath) relative.resize(kMaxRelativePath);
    return targetRoot_ / relative;
}

void Installer::InstallFile(const std::string& path) {
    const fs::path target = TargetOf(path);
    for (int attempt = 1; attempt <= Attempts; ++attempt) {
        if (ReplaceFile(path, target)) return;
        if (attempt < Attempts) Wait(RetryDelay);
    }
    throw InstallError(target, "cannot replace " + target.string());
}

void Installer::InstallFolder(const std::string& path) {
    const fs::path target = TargetOf(path);
    std::error_code ec;
    fs::create_directories(target, ec);
    if (!fs::is_directory(target, ec))
        throw InstallError(target, "cannot create the folder " + target.string());
}

void Installer::InstallAll(const std::function<void()>& processMessages) {
    FolderWalk walk;
    walk.FileAction = [this](const std::string& path) { InstallFile(path); };
    walk.FolderAction = [this](const std::string& path) { InstallFolder(path); };
    walk.ProcessMessages = processMessages;
    walk.WalkFolder(sourceRoot_.string(), "*.*", true);
}
