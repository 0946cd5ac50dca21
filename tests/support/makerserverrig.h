#pragma once

// The maker's server for the tests: a data folder of the test's own and the server of a data
// folder, serving on a port of 127.0.0.1 in a thread.

#include <algorithm>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "server/makerserver.h"
#include "server/serverconfig.h"
#include "tests/support/files.h"
#include "tests/support/testserver.h"

// A product 0.7 (major) and an updater 1.3, with fixed keys.
inline const char* kConfig = R"({
  "product": {"number": 41, "version": "0.7", "major": true, "offer": "offre.html", "package": "v0.7"},
  "updater": {"number": 101, "version": "1.3", "package": "u1.3"},
  "info": "info.html",
  "keys": [17, 42]
})";

// A data folder of the test's own, with kConfig and its two pages.
class DataFolder : public TemporaryFolder {
public:
    explicit DataFolder(const std::string& config = kConfig) : TemporaryFolder("quenby-server") {
        Write(path / "server.json", config);
        Write(path / "offre.html", "<h1>Version 0.7</h1>\r\n\r\n<p>Plus rapide.</p>\n");
        Write(path / "info.html", "<p>Bienvenue</p>");
    }
};

// The server of a data folder, serving in a thread, with its request log.
class RunningServer {
public:
    explicit RunningServer(const fs::path& data)
        : messages(data / "messages.sqlite"), maker(LoadServerConfig(data), data, messages) {
        maker.Install(server.Http(), [this](const std::string& line) {
            std::lock_guard<std::mutex> lock(logMutex);
            log.push_back(line);
        });
        server.Start();
    }

    httplib::Client Client() const { return httplib::Client("127.0.0.1", server.Port()); }
    std::string Root() const { return server.Address("/"); }

    // The request log once it holds count lines (the server writes a line after its answer).
    std::vector<std::string> Log(size_t count) {
        for (int tries = 0; tries < 200; ++tries) {
            {
                std::lock_guard<std::mutex> lock(logMutex);
                if (log.size() >= count) return log;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        std::lock_guard<std::mutex> lock(logMutex);
        return log;
    }

    // Whether the log holds line, waiting for it a while (each line is written by the thread
    // that answered, after its answer, so lines of requests in a row may come in any order).
    bool Logged(const std::string& line) {
        for (int tries = 0; tries < 200; ++tries) {
            {
                std::lock_guard<std::mutex> lock(logMutex);
                if (std::find(log.begin(), log.end(), line) != log.end()) return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }

    std::mutex logMutex;  // before the server, which writes the log until it stops
    std::vector<std::string> log;
    MessageStore messages;
    MakerServer maker;
    TestServer server;
};
