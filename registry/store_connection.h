#pragma once
// One SQLite connection to the registry file, with the settings that make
// every commit durable and let two processes share the file:
//  - journal_mode=TRUNCATE: a rollback journal, not WAL. Several processes
//    write one registry, and the WAL code of the SQLite we ship can corrupt a
//    database when connections write or checkpoint at once. TRUNCATE rather
//    than DELETE: ending a transaction truncates and syncs the journal, where
//    DELETE would unlink it, which is not durable until the folder is synced.
//  - synchronous=FULL: the journal and the database are synced before COMMIT
//    returns, so a write that succeeded survives kill -9 and power loss.
//  - busy_timeout: a second writer waits a few seconds for the lock and then
//    fails with nothing changed (writes begin with BEGIN IMMEDIATE).

#include <sqlite3.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "registry/registry.h"
#include "registry/sqlite_statement.h"

namespace brackwell::registry {

inline constexpr int kBusyTimeoutMs = 3000;

// The registry error code for an SQLite result code.
LONG ErrorFromSqlite(int rc);

class StoreConnection {
public:
    // Opens an existing file for reading and writing. Nothing is written and no
    // setting that could touch the file is made until ApplyWriteSettings.
    static std::unique_ptr<StoreConnection> Open(const std::string& path, std::string* error);
    ~StoreConnection();
    StoreConnection(const StoreConnection&) = delete;
    StoreConnection& operator=(const StoreConnection&) = delete;

    int ApplyWriteSettings();
    int Execute(const char* sql);
    // The first column of the first row of sql, e.g. a PRAGMA; nullopt on failure.
    std::optional<std::int64_t> QueryInt(const char* sql);
    std::optional<std::string> QueryText(const char* sql);
    std::string ErrorMessage() const;
    int ErrorCode() const;  // of the last call that failed

    // A statement prepared once per connection; invalid when sql does not compile.
    SqliteStatement& Prepared(const char* sql);

    bool InTransaction() const { return sqlite3_get_autocommit(db_) == 0; }
    std::int64_t TotalChanges() const { return sqlite3_total_changes64(db_); }
    std::int64_t LastInsertId() const { return sqlite3_last_insert_rowid(db_); }

    // The file change counter from the database header. Every commit in
    // rollback-journal mode increments it, so comparing it with the value seen
    // at the last load tells whether anyone wrote meanwhile. It is read with one
    // pread on SQLite's own descriptor and no lock: far cheaper than starting a
    // read transaction, and a read racing a commit only causes a locked reload.
    std::optional<std::uint32_t> ChangeCounter() const;

private:
    StoreConnection(sqlite3* db, sqlite3_file* file) : db_(db), file_(file) {}

    sqlite3* db_;
    sqlite3_file* file_;
    std::map<std::string, SqliteStatement, std::less<>> statements_;
};

}  // namespace brackwell::registry
