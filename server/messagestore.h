#pragma once

// The contact messages the server received, kept in an SQLite file; every message is its own
// transaction, so a stored message survives a restart and a crash of the server.

#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

struct sqlite3;

class StoreError : public std::runtime_error {
public:
    explicit StoreError(const std::string& what) : std::runtime_error(what) {}
};

// Texts are UTF-8.
struct StoredMessage {
    std::string received;  // UTC, as "2026-12-11 15:13:24"
    std::string user;
    std::string sender;  // the sender's address
    std::string text;
};

class MessageStore {
public:
    // Opens the file, creating it and its table when missing; StoreError names the problem.
    explicit MessageStore(const std::filesystem::path& file);
    ~MessageStore();
    MessageStore(const MessageStore&) = delete;
    MessageStore& operator=(const MessageStore&) = delete;

    // Stores a message with the present time; StoreError when it could not be written.
    void Add(const std::string& user, const std::string& sender, const std::string& text);

    // Every message, oldest first.
    std::vector<StoredMessage> All() const;

private:
    void Execute(const char* statement) const;

    sqlite3* db_ = nullptr;
    std::string path_;
    mutable std::mutex mutex_;
};
