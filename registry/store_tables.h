#pragma once
// The registry's tables and the row operations on them.
//   keys(id, parent, name, folded): ids come from AUTOINCREMENT, so they grow
//     and are never reused; a handle that names a deleted key can never come
//     to name another. The four roots are ids 1-4 with parent 0.
//   vals(id, key, name, folded, type, data): creation order is id order.
// Names are UTF-16 blobs; folded is the upper-cased name, and UNIQUE(parent,
// folded) / UNIQUE(key, folded) keep names unique without regard to case even
// when two processes write. application_id marks the file as ours and
// user_version is the schema version.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "registry/key_index.h"
#include "registry/registry.h"
#include "registry/store_connection.h"

namespace brackwell::registry {

inline constexpr std::int64_t kApplicationId = 0x42524B57;  // "BRKW"
inline constexpr std::int64_t kSchemaVersion = 1;

// Why a file with this application id and schema version is not a registry
// we can use, or an empty string when it is one.
std::string SchemaProblem(std::int64_t applicationId, std::int64_t schemaVersion);

// The key id of a predefined root handle, or 0 when hKey is not one.
std::int64_t RootKeyId(HKEY hKey);

class StoreTables {
public:
    explicit StoreTables(StoreConnection& connection) : db_(connection) {}

    // Creates the tables and the four roots in an empty database, inside the
    // caller's transaction.
    int CreateSchema();

    // Loads every key into index (cleared first); SQLITE_CORRUPT when the tree
    // does not hold together.
    int LoadKeys(KeyIndex& index);
    // Loads every value into the keys of index; a key left without a list has no values.
    int LoadValues(KeyIndex& index);

    int InsertKey(std::int64_t parentId, std::u16string_view name, std::int64_t* id);
    int DeleteKeyTree(std::int64_t id);
    int InsertValue(std::int64_t keyId, std::u16string_view name, DWORD type,
                    std::span<const BYTE> data, std::int64_t* id);
    int UpdateValue(std::int64_t id, DWORD type, std::span<const BYTE> data);
    int DeleteValue(std::int64_t id);

private:
    int Run(SqliteStatement& statement);

    StoreConnection& db_;
};

}  // namespace brackwell::registry
