#include "server/messagestore.h"

#include <sqlite3.h>

#include <memory>

namespace {

struct StatementCloser {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementCloser>;

std::string Column(sqlite3_stmt* statement, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return text == nullptr ? std::string()
                           : std::string(text, static_cast<size_t>(sqlite3_column_bytes(statement, column)));
}

}  // namespace

MessageStore::MessageStore(const std::filesystem::path& file) : path_(file.string()) {
    if (sqlite3_open_v2(path_.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        const std::string reason = db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        db_ = nullptr;
        throw StoreError(path_ + ": cannot be opened: " + reason);
    }
    sqlite3_busy_timeout(db_, 5000);
    try {
        Execute("PRAGMA synchronous = FULL");
        Execute(
            "CREATE TABLE IF NOT EXISTS messages ("
            " id INTEGER PRIMARY KEY,"
            " received TEXT NOT NULL,"
            " user TEXT NOT NULL,"
            " sender TEXT NOT NULL,"
            " message TEXT NOT NULL)");
    } catch (...) {
        sqlite3_close(db_);
        throw;
    }
}

MessageStore::~MessageStore() {
    sqlite3_close(db_);
}

void MessageStore::Execute(const char* statement) const {
    char* error = nullptr;
    if (sqlite3_exec(db_, statement, nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string reason = error != nullptr ? error : "unknown error";
        sqlite3_free(error);
        throw StoreError(path_ + ": " + reason);
    }
}

void MessageStore::Add(const std::string& user, const std::string& sender, const std::string& text) {
    const std::lock_guard<std::mutex> lock(mutex_);
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db_,
                           "INSERT INTO messages (received, user, sender, message)"
                           " VALUES (datetime('now'), ?1, ?2, ?3)",
                           -1, &raw, nullptr) != SQLITE_OK) {
        throw StoreError(path_ + ": " + sqlite3_errmsg(db_));
    }
    const Statement insert(raw);
    const auto bind = [&](int index, const std::string& value) {
        sqlite3_bind_text(raw, index, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
    };
    bind(1, user);
    bind(2, sender);
    bind(3, text);
    if (sqlite3_step(raw) != SQLITE_DONE) throw StoreError(path_ + ": " + sqlite3_errmsg(db_));
}

std::vector<StoredMessage> MessageStore::All() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db_, "SELECT received, user, sender, message FROM messages ORDER BY id", -1, &raw,
                           nullptr) != SQLITE_OK) {
        throw StoreError(path_ + ": " + sqlite3_errmsg(db_));
    }
    const Statement select(raw);
    std::vector<StoredMessage> messages;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(raw)) == SQLITE_ROW)
        messages.push_back({Column(raw, 0), Column(raw, 1), Column(raw, 2), Column(raw, 3)});
    if (step != SQLITE_DONE) throw StoreError(path_ + ": " + sqlite3_errmsg(db_));
    return messages;
}
