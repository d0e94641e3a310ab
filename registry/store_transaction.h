#pragma once
// Transactions on the registry file, each taken under the registry lock and
// bounded by the connection's lock wait: a transaction that cannot start
// within it fails with SQLITE_BUSY before anything was read or changed.
//
// Both kinds nest: opened while the connection is already in a transaction
// they join it (a write becomes a savepoint) and leave the lock alone.

#include "registry/store_connection.h"

namespace brackwell::registry {

// A consistent view of the file: the shared lock and a deferred transaction,
// whose first read takes SQLite's shared lock.
class ReadTransaction {
public:
    explicit ReadTransaction(StoreConnection& connection);
    ~ReadTransaction();
    ReadTransaction(const ReadTransaction&) = delete;
    ReadTransaction& operator=(const ReadTransaction&) = delete;

    int status() const { return status_; }  // SQLITE_OK when it started

private:
    StoreConnection& connection_;
    bool outer_ = false;
    int status_ = SQLITE_OK;
};

// A change to the file: the exclusive lock and BEGIN IMMEDIATE, so that a
// busy file fails here, before the body changed anything. The first write of
// a connection also checks the whole file (CheckIntegrity): a damaged index
// would otherwise let a delete miss rows. Rolled back unless committed.
class WriteTransaction {
public:
    explicit WriteTransaction(StoreConnection& connection);
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;

    int status() const { return status_; }  // SQLITE_OK when it started
    bool nested() const { return !outer_; }
    int Commit();  // durable when it returns SQLITE_OK from the outer transaction

private:
    void End();

    StoreConnection& connection_;
    bool outer_ = false;
    bool open_ = false;  // begun and neither committed nor rolled back
    int status_ = SQLITE_OK;
};

}  // namespace brackwell::registry
