#include "registry/store_transaction.h"

namespace brackwell::registry {
namespace {

// Takes the lock and starts the transaction with begin; SQLITE_BUSY when the
// lock was not had in time.
int Begin(StoreConnection& connection, LockMode mode, const char* begin) {
    const LockClock::time_point deadline = connection.LockDeadline();
    if (!connection.lock().Acquire(mode, deadline)) return SQLITE_BUSY;
    connection.SetBusyDeadline(deadline);
    const int rc = connection.Execute(begin);
    if (rc != SQLITE_OK) connection.lock().Release();
    return rc;
}

}  // namespace

ReadTransaction::ReadTransaction(StoreConnection& connection)
    : connection_(connection), outer_(!connection.InTransaction()) {
    if (outer_) status_ = Begin(connection_, LockMode::Shared, "BEGIN");
}

ReadTransaction::~ReadTransaction() {
    if (!outer_ || status_ != SQLITE_OK) return;
    connection_.Execute("COMMIT");
    connection_.lock().Release();
}

WriteTransaction::WriteTransaction(StoreConnection& connection)
    : connection_(connection), outer_(!connection.InTransaction()) {
    if (!outer_) {
        status_ = connection_.Execute("SAVEPOINT write");
        open_ = status_ == SQLITE_OK;
        return;
    }
    status_ = Begin(connection_, LockMode::Exclusive, "BEGIN IMMEDIATE");
    if (status_ != SQLITE_OK) return;
    open_ = true;
    status_ = connection_.CheckIntegrity();
    if (status_ != SQLITE_OK) End();
}

WriteTransaction::~WriteTransaction() {
    End();
}

int WriteTransaction::Commit() {
    const int rc = connection_.Execute(outer_ ? "COMMIT" : "RELEASE write");
    if (rc != SQLITE_OK) return rc;
    open_ = false;
    if (outer_) connection_.lock().Release();
    return SQLITE_OK;
}

// Rolls back what was not committed and lets the lock go.
void WriteTransaction::End() {
    if (!open_) return;
    open_ = false;
    if (outer_) {
        connection_.Execute("ROLLBACK");
        connection_.lock().Release();
    } else {
        connection_.Execute("ROLLBACK TO write");
        connection_.Execute("RELEASE write");
    }
}

}  // namespace brackwell::registry
