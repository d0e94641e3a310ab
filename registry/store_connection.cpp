#include "registry/store_connection.h"

namespace brackwell::registry {

LONG ErrorFromSqlite(int rc) {
    switch (rc & 0xFF) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE:
        return ERROR_SUCCESS;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return ERROR_BUSY;
    case SQLITE_NOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return ERROR_REGISTRY_CORRUPT;
    case SQLITE_FULL:
    case SQLITE_READONLY:
        return ERROR_WRITE_FAULT;
    default:
        return ERROR_REGISTRY_IO_FAILED;
    }
}

std::unique_ptr<StoreConnection> StoreConnection::Open(const std::string& path, std::string* error) {
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_file* file = nullptr;
    if (rc == SQLITE_OK) {
        sqlite3_file_control(db, "main", SQLITE_FCNTL_FILE_POINTER, &file);
    }
    if (rc != SQLITE_OK || file == nullptr || file->pMethods == nullptr) {
        *error = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    return std::unique_ptr<StoreConnection>(new StoreConnection(db, file));
}

StoreConnection::~StoreConnection() {
    statements_.clear();
    sqlite3_close(db_);
}

int StoreConnection::ApplyWriteSettings() {
    // journal_mode answers with a row, so it goes through QueryInt.
    if (!QueryInt("PRAGMA journal_mode=TRUNCATE")) return sqlite3_errcode(db_);
    return Execute("PRAGMA synchronous=FULL");
}

int StoreConnection::Execute(const char* sql) {
    return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
}

std::optional<std::int64_t> StoreConnection::QueryInt(const char* sql) {
    SqliteStatement statement(db_, sql);
    if (!statement.valid()) return std::nullopt;
    const int rc = statement.Step();
    if (rc != SQLITE_ROW) return std::nullopt;
    return statement.ColumnInt(0);
}

std::optional<std::string> StoreConnection::QueryText(const char* sql) {
    SqliteStatement statement(db_, sql);
    if (!statement.valid() || statement.Step() != SQLITE_ROW) return std::nullopt;
    return statement.ColumnText(0);
}

std::string StoreConnection::ErrorMessage() const { return sqlite3_errmsg(db_); }

int StoreConnection::ErrorCode() const { return sqlite3_errcode(db_); }

SqliteStatement& StoreConnection::Prepared(const char* sql) {
    auto it = statements_.find(sql);
    if (it == statements_.end() || !it->second.valid()) {
        it = statements_.insert_or_assign(std::string(sql), SqliteStatement(db_, sql)).first;
    }
    return it->second;
}

std::optional<std::uint32_t> StoreConnection::ChangeCounter() const {
    unsigned char bytes[4];
    // A file too short to have a header (a new, empty one) reads as zeros.
    const int rc = file_->pMethods->xRead(file_, bytes, sizeof bytes, 24);
    if (rc != SQLITE_OK && rc != SQLITE_IOERR_SHORT_READ) return std::nullopt;
    return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
           (std::uint32_t{bytes[2]} << 8) | bytes[3];
}

}  // namespace brackwell::registry
