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
//  - the registry lock (registry_lock.h) orders the processes that use the
//    file; SQLite's busy timeout only waits for programs that do not take it.
//    Both end at the same deadline, the connection's lock wait after a
//    transaction starts (store_transaction.h).

#include <sqlite3.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "registry/registry.h"
#include "registry/registry_lock.h"
#include "registry/sqlite_statement.h"

namespace brackwell::registry {

// The registry error code for an SQLite result code.
LONG ErrorFromSqlite(int rc);

enum class StoreAccess { ReadWrite, ReadOnly };

class StoreConnection {
public:
    // Opens an existing file. Read-write: nothing is written and no setting
    // that could touch the file is made until ApplyWriteSettings. Read-only:
    // nothing is ever written (read_only_vfs.h).
    static std::unique_ptr<StoreConnection> Open(const std::string& path, StoreAccess access,
                                                 std::string* error);
    ~StoreConnection();
    StoreConnection(const StoreConnection&) = delete;
    StoreConnection& operator=(const StoreConnection&) = delete;

    bool readOnly() const { return access_ == StoreAccess::ReadOnly; }
    std::string path() const { return sqlite3_db_filename(db_, "main"); }

    // The lock transactions take, and how long they wait for it.
    RegistryLock& lock() { return lock_; }
    void UseLock(RegistryLock lock) { lock_ = std::move(lock); }
    void SetLockWait(std::chrono::milliseconds wait) { lockWait_ = wait; }
    LockClock::time_point LockDeadline() const { return LockClock::now() + lockWait_; }
    // SQLite's own waits for a busy file end at deadline too.
    void SetBusyDeadline(LockClock::time_point deadline);

    // SQLite's full integrity check, which also compares every index with its
    // table; run once per connection, before its first write. SQLITE_OK, or
    // SQLITE_CORRUPT with the first problem found, or the error that stopped it.
    int CheckIntegrity(std::string* problem = nullptr);

    int ApplyWriteSettings();
    int Execute(const char* sql);
    // The first column of the first row of sql, e.g. a PRAGMA; nullopt on failure.
    std::optional<std::int64_t> QueryInt(const char* sql);
    std::optional<std::string> QueryText(const char* sql);
    // The last of Execute, QueryInt and QueryText that failed: its (extended)
    // result code, and what happened in words for a person.
    int ErrorCode() const { return lastError_; }
    std::string ErrorMessage() const { return ErrorText(lastError_); }
    std::string ErrorText(int rc) const;

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
    int Failed(int rc);  // records rc (made extended) as the last error and returns it

    StoreConnection(sqlite3* db, sqlite3_file* file, StoreAccess access)
        : db_(db), file_(file), access_(access) {}

    sqlite3* db_;
    sqlite3_file* file_;
    StoreAccess access_;
    RegistryLock lock_;
    std::chrono::milliseconds lockWait_{0};
    std::string integrity_;  // the check's first row; empty until it ran
    int lastError_ = SQLITE_OK;
    std::map<std::string, SqliteStatement, std::less<>> statements_;
};

}  // namespace brackwell::registry
