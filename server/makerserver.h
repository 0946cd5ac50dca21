#pragma once

// The maker's server: the routes of its scripts and packages on an HTTP server.

#include <httplib.h>

#include <filesystem>
#include <functional>
#include <mutex>
#include <random>

#include "server/messagestore.h"
#include "server/serverconfig.h"
#include "server/updatereplies.h"

class MakerServer {
public:
    // Request bodies above this size are refused with 413.
    static constexpr size_t MaxRequestBytes = 64 * 1024;

    MakerServer(ServerConfig config, std::filesystem::path dataFolder, MessageStore& messages);

    // Registers the routes, the body limit and the request log (one line per request on
    // standard error, unless log is given).
    void Install(httplib::Server& server, std::function<void(const std::string&)> log = {});

    // The file of packages/ that a package path names ("FOLDER/NAME.zip" or its ".sig"), or
    // nothing when the path would leave packages/ or names no such file.
    std::optional<std::filesystem::path> PackageFile(const std::string& relative) const;

private:
    ReplyKeys Keys();
    void ProductUpdate(const httplib::Request& req, httplib::Response& res);
    void UpdateInfo(const httplib::Request& req, httplib::Response& res);
    void Message(const httplib::Request& req, httplib::Response& res);
    void Information(const httplib::Request& req, httplib::Response& res);
    void Package(const httplib::Request& req, httplib::Response& res);

    ServerConfig config_;
    std::filesystem::path packages_;
    MessageStore& messages_;
    std::mutex randomMutex_;
    std::mt19937 random_;
};
