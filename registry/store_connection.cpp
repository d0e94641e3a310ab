#include "registry/store_connection.h"

#include <algorithm>
#include <cstring>

#include "registry/read_only_vfs.h"

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

std::unique_ptr<StoreConnection> StoreConnection::Open(const std::string& path, StoreAccess access,
                                                       std::string* error) {
    sqlite3* db = nullptr;
    const bool readOnly = access == StoreAccess::ReadOnly;
    const int rc =
        // One thread uses the calls, so SQLite need not lock around each of its own.
        sqlite3_open_v2(path.c_str(), &db,
                        (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) |
                            SQLITE_OPEN_NOMUTEX,
                        readOnly ? ReadOnlyVfsName() : nullptr);
    sqlite3_file* file = nullptr;
    if (rc == SQLITE_OK) {
        sqlite3_file_control(db, "main", SQLITE_FCNTL_FILE_POINTER, &file);
    }
    if (rc != SQLITE_OK || file == nullptr || file->pMethods == nullptr) {
        const int system = db ? sqlite3_system_errno(db) : 0;
        *error = system != 0 ? std::string("it cannot be opened (") + std::strerror(system) + ")"
                             : "it cannot be opened";
        sqlite3_close(db);
        return nullptr;
    }
    return std::unique_ptr<StoreConnection>(new StoreConnection(db, file, access));
}

StoreConnection::~StoreConnection() {
    statements_.clear();
    sqlite3_close(db_);
}

void StoreConnection::SetBusyDeadline(LockClock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - LockClock::now());
    sqlite3_busy_timeout(db_, static_cast<int>(std::clamp<std::int64_t>(left.count(), 1, 1 << 30)));
}

int StoreConnection::CheckIntegrity(std::string* problem) {
    if (integrity_.empty()) {
        // One problem is enough to refuse the file; stopping there saves
        // listing every row of a badly damaged one.
        const auto result = QueryText("PRAGMA integrity_check(1)");
        if (!result && ErrorFromSqlite(ErrorCode()) != ERROR_REGISTRY_CORRUPT) return ErrorCode();
        integrity_ = result.value_or("its pages do not hold together");
    }
    if (integrity_ == "ok") return SQLITE_OK;
    if (problem) *problem = integrity_;
    return SQLITE_CORRUPT;
}

int StoreConnection::ApplyWriteSettings() {
    // journal_mode answers with a row, so it goes through QueryInt.
    if (!QueryInt("PRAGMA journal_mode=TRUNCATE")) return sqlite3_errcode(db_);
    return Execute("PRAGMA synchronous=FULL");
}

int StoreConnection::Failed(int rc) {
    const int extended = sqlite3_extended_errcode(db_);
    lastError_ = (extended & 0xFF) == (rc & 0xFF) ? extended : rc;
    return lastError_;
}

int StoreConnection::Execute(const char* sql) {
    const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    return rc == SQLITE_OK ? rc : Failed(rc);
}

std::optional<std::int64_t> StoreConnection::QueryInt(const char* sql) {
    SqliteStatement statement(db_, sql);
    const int rc = statement.valid() ? statement.Step() : sqlite3_errcode(db_);
    if (rc != SQLITE_ROW) {
        Failed(rc == SQLITE_DONE || rc == SQLITE_OK ? SQLITE_ERROR : rc);
        return std::nullopt;
    }
    return statement.ColumnInt(0);
}

std::optional<std::string> StoreConnection::QueryText(const char* sql) {
    SqliteStatement statement(db_, sql);
    const int rc = statement.valid() ? statement.Step() : sqlite3_errcode(db_);
    if (rc != SQLITE_ROW) {
        Failed(rc == SQLITE_DONE || rc == SQLITE_OK ? SQLITE_ERROR : rc);
        return std::nullopt;
    }
    return statement.ColumnText(0);
}

std::string StoreConnection::ErrorText(int rc) const {
    const int error = sqlite3_system_errno(db_);
    const std::string system = error != 0 ? std::string(" (") + std::strerror(error) + ")" : "";
    if (rc == SQLITE_READONLY_ROLLBACK) {
        return "a write to it was cut short and must be undone first, which a command that only "
               "reads "
               "does not do; any command that writes to it, or starting Brackwell, undoes it";
    }
    switch (rc & 0xFF) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return LockTimeoutText(lockWait_);
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            return "it is damaged";
        case SQLITE_FULL:
            return "the disk is full";
        case SQLITE_NOMEM:
            return "there is not enough memory";
        case SQLITE_READONLY:
        case SQLITE_PERM:
        case SQLITE_AUTH:
            return "it may not be written";
        case SQLITE_CANTOPEN:
            return "it cannot be opened" + system;
        case SQLITE_IOERR:
            return "reading or writing it failed" + system;
        case SQLITE_OK:
        case SQLITE_ROW:
        case SQLITE_DONE:
            return "it cannot be read";
        default:
            return std::string("SQLite reported: ") + sqlite3_errstr(rc);
    }
}

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
