#include "registry/device_registry.h"

#include <memory>

#include "registry/current_registry.h"
#include "registry/name_folding.h"
#include "registry/reg_file_reader.h"
#include "registry/registry_file.h"
#include "registry/store_tables.h"

namespace brackwell::registry {
namespace {

std::unique_ptr<RegistryStore>& Current() {
    static std::unique_ptr<RegistryStore> store;
    return store;
}

struct Problem {
    std::string reason;
    bool refused = false;  // the file is not a registry of ours
};

// Checks an existing registry before anything is written to it.
Problem Verify(StoreConnection& connection) {
    const auto applicationId = connection.QueryInt("PRAGMA application_id");
    const auto version = connection.QueryInt("PRAGMA user_version");
    if (!applicationId || !version) return {"it cannot be read (" + connection.ErrorMessage() + ")"};
    if (std::string reason = SchemaProblem(*applicationId, *version); !reason.empty()) {
        return {reason, true};
    }
    const auto check = connection.QueryText("PRAGMA quick_check");
    if (!check && ErrorFromSqlite(connection.ErrorCode()) != ERROR_REGISTRY_CORRUPT) {
        return {"it cannot be read (" + connection.ErrorMessage() + ")"};
    }
    if (check != "ok") return {"it is damaged (" + check.value_or(connection.ErrorMessage()) + ")", true};
    if (connection.ApplyWriteSettings() != SQLITE_OK) {
        return {"it cannot be written (" + connection.ErrorMessage() + ")"};
    }
    return {};
}

// Creates the schema in a new, empty file and imports the seed, all in one
// transaction, so a failure leaves the file empty and ready for another try.
Problem Initialize(RegistryStore& store, std::string_view seed) {
    StoreConnection& connection = store.connection();
    if (connection.ApplyWriteSettings() != SQLITE_OK ||
        connection.Execute("BEGIN IMMEDIATE") != SQLITE_OK) {
        return {"it cannot be written (" + connection.ErrorMessage() + ")"};
    }
    const auto applicationId = connection.QueryInt("PRAGMA application_id");
    const auto tables = connection.QueryInt("SELECT count(*) FROM sqlite_schema");
    if (applicationId == kApplicationId) {
        // Another process initialised it since we looked.
        connection.Execute("ROLLBACK");
        return Verify(connection);
    }
    if (applicationId != 0 || tables != 0) {
        connection.Execute("ROLLBACK");
        return {"it is another program's SQLite database", true};
    }
    if (store.tables().CreateSchema() != SQLITE_OK || store.Sync(false) != ERROR_SUCCESS) {
        const std::string reason = "it cannot be written (" + connection.ErrorMessage() + ")";
        connection.Execute("ROLLBACK");
        return {reason};
    }
    if (!seed.empty()) {
        const RegImportResult imported = ImportRegFile(seed);
        if (!imported.ok) {
            connection.Execute("ROLLBACK");
            return {"the default registry could not be loaded (" + imported.error + ")"};
        }
    }
    if (connection.Execute("COMMIT") != SQLITE_OK) {
        const std::string reason = "it cannot be written (" + connection.ErrorMessage() + ")";
        connection.Execute("ROLLBACK");
        return {reason};
    }
    return {};
}

OpenResult Failure(const std::string& path, const Problem& problem) {
    if (problem.refused) {
        return {false, "The file " + path + " is not a registry Brackwell can use: " + problem.reason +
                           ". It was left untouched."};
    }
    return {false, "Cannot open the registry " + path + ": " + problem.reason + "."};
}

}  // namespace

RegistryStore* CurrentRegistry() { return Current().get(); }

OpenResult OpenDeviceRegistry(const std::string& path, std::string_view seedRegText) {
    CloseDeviceRegistry();
    if (!NameFoldingAvailable()) {
        return Failure(path, {"the C.UTF-8 locale, which supplies the case mapping of names, is missing"});
    }
    const PreparedFile file = PrepareRegistryFile(path);
    if (!file.ok) return Failure(path, {file.error});
    if (!file.empty) {
        if (std::string reason = CheckRegistryHeader(path); !reason.empty()) {
            return Failure(path, {reason, true});
        }
    }
    std::string error;
    auto connection = StoreConnection::Open(path, &error);
    if (!connection) return Failure(path, {error});

    // Seeding imports through the calls' own entry point, so the store is
    // current while it is initialised.
    Current() = std::make_unique<RegistryStore>(std::move(connection));
    RegistryStore& store = *Current();
    Problem problem = file.empty ? Initialize(store, seedRegText) : Verify(store.connection());
    if (problem.reason.empty()) {
        if (const LONG rc = store.Sync(false); rc == ERROR_REGISTRY_CORRUPT) {
            problem = {"its key tree does not hold together", true};
        } else if (rc != ERROR_SUCCESS) {
            problem = {"its keys cannot be loaded (" + store.connection().ErrorMessage() + ")"};
        }
    }
    if (!problem.reason.empty()) {
        CloseDeviceRegistry();
        return Failure(path, problem);
    }
    return {true, {}};
}

void CloseDeviceRegistry() { Current().reset(); }

}  // namespace brackwell::registry
