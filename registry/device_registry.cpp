#include "registry/device_registry.h"

#include <memory>

#include "registry/current_registry.h"
#include "registry/name_folding.h"
#include "registry/reg_file_reader.h"
#include "registry/registry_file.h"
#include "registry/store_tables.h"
#include "registry/store_transaction.h"

namespace brackwell::registry {
namespace {

std::unique_ptr<RegistryStore>& Current() {
    static std::unique_ptr<RegistryStore> store;
    return store;
}

std::chrono::milliseconds& LockWait() {
    static std::chrono::milliseconds wait = kDefaultRegistryLockWait;
    return wait;
}

struct Problem {
    std::string reason;
    bool refused = false;  // the file is not a registry we can use
};

// Fills a new file nobody else knows yet: the schema and the seed in one
// transaction. Its journal stays in memory, as a crash leaves only a file
// that is never used; the whole file is synced before it gets its name.
std::string BuildRegistry(const std::string& newFile, std::string_view seed) {
    std::string error;
    auto connection = StoreConnection::Open(newFile, StoreAccess::ReadWrite, &error);
    if (!connection) return error;
    if (!connection->QueryText("PRAGMA journal_mode=MEMORY") ||
        connection->Execute("PRAGMA synchronous=FULL") != SQLITE_OK) {
        return "it cannot be created (" + connection->ErrorMessage() + ")";
    }
    // Seeding imports through the calls' own entry point, so the new store is
    // current while it is filled.
    Current() = std::make_unique<RegistryStore>(std::move(connection));
    RegistryStore& store = *Current();
    {
        WriteTransaction transaction(store.connection());
        int rc = transaction.status();
        if (rc == SQLITE_OK) rc = store.tables().CreateSchema();
        if (rc == SQLITE_OK && store.Sync() != ERROR_SUCCESS)
            rc = store.connection().ErrorCode();
        if (rc == SQLITE_OK && !seed.empty()) {
            const RegImportResult imported = ImportRegFile(seed);
            if (!imported.ok)
                error = "the default registry could not be loaded (" + imported.error + ")";
        }
        if (rc == SQLITE_OK && error.empty()) rc = transaction.Commit();
        if (rc != SQLITE_OK)
            error = "it cannot be created (" + store.connection().ErrorText(rc) + ")";
    }
    Current().reset();
    return error;
}

// The marks of an existing file, inside the caller's read transaction. Its pages
// are not walked here: loading reads every page of both tables, and SQLite
// refuses a damaged one there; an index that no longer matches its table is
// found by the full check that runs before the first write, and by check.
Problem Verify(StoreConnection& connection) {
    const auto applicationId = connection.QueryInt("PRAGMA application_id");
    const auto version = applicationId ? connection.QueryInt("PRAGMA user_version") : std::nullopt;
    if (!version) return {connection.ErrorMessage()};
    if (std::string reason = SchemaProblem(*applicationId, *version); !reason.empty()) {
        return {reason, true};
    }
    return {};
}

// Checks the file and loads its key tree from one consistent view of it.
Problem Load(RegistryStore& store) {
    StoreConnection& connection = store.connection();
    const ReadTransaction transaction(connection);
    if (transaction.status() != SQLITE_OK) return {connection.ErrorText(transaction.status())};
    if (Problem problem = Verify(connection); !problem.reason.empty()) return problem;
    std::string rows;
    const LONG rc = ErrorFromSqlite(store.Open(&rows));
    if (!rows.empty()) return {rows, true};
    if (rc == ERROR_REGISTRY_CORRUPT) return {"its key tree does not hold together", true};
    if (rc == ERROR_BUSY) return {connection.ErrorText(SQLITE_BUSY)};
    if (rc != ERROR_SUCCESS)
        return {"its keys cannot be loaded (" + connection.ErrorMessage() + ")"};
    return {};
}

// The journal mode and syncing every write relies on. Leaving write-ahead
// logging rewrites the header, so it waits for the lock like any write.
Problem ApplyWriteSettings(StoreConnection& connection, bool fromWriteAheadLog) {
    if (fromWriteAheadLog &&
        !connection.lock().Acquire(LockMode::Exclusive, connection.LockDeadline())) {
        return {connection.ErrorText(SQLITE_BUSY)};
    }
    connection.SetBusyDeadline(connection.LockDeadline());
    const int rc = connection.ApplyWriteSettings();
    if (fromWriteAheadLog) connection.lock().Release();
    if (rc != SQLITE_OK) return {"it cannot be written (" + connection.ErrorText(rc) + ")"};
    return {};
}

OpenResult Failure(const std::string& path, const Problem& problem, bool rolledBack = false) {
    if (problem.refused) {
        // SQLite undoes a write that was cut short before it reads the file,
        // so the file is then as its last complete write left it.
        return {false, "The file " + path +
                           " is not a registry Brackwell can use: " + problem.reason +
                           (rolledBack ? ". Only a write to it that had been cut short was undone."
                                       : ". It was left untouched.")};
    }
    return {false, "Cannot open the registry " + path + ": " + problem.reason + "."};
}

OpenResult Open(const std::string& path, std::string_view seed, StoreAccess access) {
    CloseDeviceRegistry();
    if (!NameFoldingAvailable()) {
        return Failure(
            path, {"the C.UTF-8 locale, which supplies the case mapping of names, is missing"});
    }
    const bool readOnly = access == StoreAccess::ReadOnly;
    const FileCheck file = InspectRegistryFile(path);
    if (file.state == FileState::Unusable) return Failure(path, {file.error});
    if (readOnly && file.state == FileState::Absent) {
        return Failure(path, {"there is no such file"});
    }
    if (readOnly && file.state == FileState::Empty) {
        return Failure(path, {"it is empty, not a registry yet", true});
    }

    std::string error;
    if (!readOnly && !MakeParentFolders(path, &error)) return Failure(path, {error});
    RegistryLock lock = RegistryLock::Open(path, !readOnly);
    if (file.state != FileState::Present) {
        if (!lock.Acquire(LockMode::Exclusive, LockClock::now() + LockWait())) {
            return Failure(path, {LockTimeoutText(LockWait())});
        }
        error = CreateRegistryFile(
            path, [seed](const std::string& newFile) { return BuildRegistry(newFile, seed); });
        lock.Release();
        if (!error.empty()) return Failure(path, {error});
    }

    // A file that is not ours is refused before SQLite may touch it: SQLite
    // would roll back a journal it finds beside the file.
    const RegistryHeader header = ReadRegistryHeader(path);
    if (!header.unreadable.empty()) return Failure(path, {header.unreadable});
    if (!header.problem.empty()) return Failure(path, {header.problem, true});
    if (readOnly && header.writeAheadLog && SideFileHoldsData(path, "-wal")) {
        return Failure(path,
                       {"changes to it wait in a write-ahead log beside it, which only a command "
                        "that writes merges into it",
                        true});
    }
    const bool journalPending = !readOnly && SideFileHoldsData(path, "-journal");
    auto connection = StoreConnection::Open(path, access, &error);
    if (!connection) return Failure(path, {error});
    connection->UseLock(std::move(lock));
    connection->SetLockWait(LockWait());

    Current() = std::make_unique<RegistryStore>(std::move(connection));
    RegistryStore& store = *Current();
    Problem problem = Load(store);
    if (problem.reason.empty() && !readOnly) {
        problem = ApplyWriteSettings(store.connection(), header.writeAheadLog);
    }
    if (!problem.reason.empty()) {
        CloseDeviceRegistry();
        return Failure(path, problem, journalPending);
    }
    return {true, {}};
}

}  // namespace

RegistryStore* CurrentRegistry() {
    return Current().get();
}

OpenResult OpenDeviceRegistry(const std::string& path, std::string_view seedRegText) {
    return Open(path, seedRegText, StoreAccess::ReadWrite);
}

OpenResult OpenDeviceRegistryReadOnly(const std::string& path) {
    return Open(path, {}, StoreAccess::ReadOnly);
}

OpenResult CheckDeviceRegistry() {
    RegistryStore* store = Current().get();
    if (!store) return {false, "No registry is open."};
    StoreConnection& connection = store->connection();
    const ReadTransaction transaction(connection);
    std::string damage;
    int rc = transaction.status();
    if (rc == SQLITE_OK) rc = connection.CheckIntegrity(&damage);
    Problem problem;
    if (rc == SQLITE_CORRUPT) {
        problem = {"it is damaged (SQLite's integrity check found: " + damage + ")", true};
    } else if (rc != SQLITE_OK) {
        problem = {"it cannot be checked: " + connection.ErrorText(rc)};
    } else if (std::string rows; (rc = store->CheckValues(&rows)) != SQLITE_OK ||
                                 (rc = store->tables().CheckEveryRow(&rows)) != SQLITE_OK) {
        problem = rows.empty() ? Problem{"its keys and values cannot be read (" +
                                         connection.ErrorText(rc) + ")"}
                               : Problem{rows, true};
    }
    return problem.reason.empty() ? OpenResult{true, {}} : Failure(connection.path(), problem);
}

void CloseDeviceRegistry() {
    Current().reset();
}

void SetRegistryLockWait(std::chrono::milliseconds wait) {
    LockWait() = wait;
    if (Current()) Current()->connection().SetLockWait(wait);
}

}  // namespace brackwell::registry
