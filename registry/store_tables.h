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
#include <vector>

#include "registry/key_index.h"
#include "registry/registry.h"
#include "registry/store_connection.h"
#include "registry/value_block.h"

namespace brackwell::registry {

inline constexpr std::int64_t kApplicationId = 0x42524B57;  // "BRKW"
inline constexpr std::int64_t kSchemaVersion = 1;

// Why a file with this application id and schema version is not a registry
// we can use, or an empty string when it is one.
std::string SchemaProblem(std::int64_t applicationId, std::int64_t schemaVersion);

// The key id of a predefined root handle, or 0 when hKey is not one.
std::int64_t RootKeyId(HKEY hKey);

// A value row and the key it names as its own. A scan keeps one per run of
// rows that name the same key (a key's values are mostly written together),
// the first row of the run.
struct ValueOwner {
    std::int64_t value = 0;
    std::int64_t key = 0;
};

// The sizes of all value rows together, as a scan saw them: the room a bulk
// read reserves before it reads the rows (other programs may have written
// since, so it is room to start with, not a limit).
struct ValueSizes {
    std::size_t rows = 0;
    std::uint64_t nameBytes = 0;
    std::uint64_t dataBytes = 0;
};

// Why a value of owners belongs to no key of index, or an empty string.
std::string ValueWithoutKey(const KeyIndex& index, const std::vector<ValueOwner>& owners);

class StoreTables {
public:
    explicit StoreTables(StoreConnection& connection) : db_(connection) {}

    // Creates the tables and the four roots in an empty database, inside the
    // caller's transaction.
    int CreateSchema();

    // The loads check every row they read against the rules the store keeps
    // when it writes (names, limits, parents, depth); a row that breaks one
    // makes them return SQLITE_CORRUPT with *problem naming the row and the
    // rule.

    // Loads every key into index (cleared first).
    int LoadKeys(KeyIndex& index, std::string* problem);
    // One pass over every value row without reading names or data: each
    // value's name and data keep within the limits; *owners gets the key of
    // every run of rows, *sizes their sizes together. It needs no key index, so it
    // can run beside the key load.
    int ScanValueRows(std::vector<ValueOwner>* owners, ValueSizes* sizes, std::string* problem);
    // The scan, then that every value belongs to a key of index.
    int CheckValueRows(const KeyIndex& index, ValueSizes* sizes, std::string* problem);
    // Every rule a read applies, on every value row, and on every row of both
    // tables the folded name the file's unique constraints rest on. It reads
    // every name and all data: the check command's pass, not the open's.
    int CheckEveryRow(std::string* problem);
    // The values of one key in creation order.
    int LoadKeyValues(std::int64_t keyId, ValueBlock* values, std::string* problem);
    // The values of every key of index, grouped by key in slot order:
    // firstRecord[slot] to firstRecord[slot + 1] are the values of slot.
    // expected is the room reserved first.
    int LoadAllValues(const KeyIndex& index, const ValueSizes& expected, ValueBlock* values,
                      std::vector<std::uint32_t>* firstRecord, std::string* problem);

    int InsertKey(std::int64_t parentId, std::u16string_view name, std::int64_t* id);
    int DeleteKeyTree(std::int64_t id);
    // Adds the value, or gives the one of that name (compared without regard
    // to case) the new type and data; *id is the value's row.
    int PutValue(std::int64_t keyId, std::u16string_view name, DWORD type,
                 std::span<const BYTE> data, std::int64_t* id);
    // *found tells whether a value of that name was there to delete.
    int DeleteValue(std::int64_t keyId, std::u16string_view name, bool* found);

private:
    int Run(SqliteStatement& statement);

    StoreConnection& db_;
};

}  // namespace brackwell::registry
