#include "registry/store_tables.h"

#include <cstring>
#include <string>
#include <vector>

#include "registry/name_folding.h"
#include "registry/registry_limits.h"

namespace brackwell::registry {
namespace {

std::string Row(const char* what, std::int64_t id) {
    return std::string(what) + " of row " + std::to_string(id);
}

// Why a stored name breaks the store's rules, or an empty string. Names are
// UTF-16 blobs; a key name has 1 to 255 characters, none a backslash or NUL.
std::string NameProblem(const SqliteStatement& row, int column, bool keyName, std::int64_t id) {
    const char* what = keyName ? "the key" : "the value";
    if (row.ColumnType(column) == SQLITE_NULL) return Row(what, id) + " has no name";
    const std::span<const std::uint8_t> bytes = row.ColumnBlob(column);
    if (row.ColumnType(column) != SQLITE_BLOB || bytes.size() % 2 != 0) {
        return "the name of " + Row(what, id) + " is not stored as UTF-16";
    }
    const std::size_t length = bytes.size() / 2;
    const std::size_t limit = keyName ? kMaxKeyNameLength : kMaxValueNameLength;
    if (length > limit) {
        return "the name of " + Row(what, id) + " is longer than " + std::to_string(limit) +
               " characters";
    }
    if (!keyName) return {};
    if (length == 0) return Row(what, id) + " has an empty name";
    for (std::size_t i = 0; i < length; ++i) {
        const auto c = static_cast<char16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
        if (c == u'\\') return "the name of " + Row(what, id) + " holds a backslash";
        if (c == u'\0') return "the name of " + Row(what, id) + " holds a NUL character";
    }
    return {};
}

std::u16string_view NameOf(const SqliteStatement& row, int column, std::u16string& buffer) {
    const std::span<const std::uint8_t> bytes = row.ColumnBlob(column);
    buffer.resize(bytes.size() / 2);
    if (!bytes.empty()) std::memcpy(buffer.data(), bytes.data(), buffer.size() * 2);
    return buffer;
}

// The rules of a value row that hold whatever its name: the type is a 32-bit
// number and the data a blob of at most 1 MiB. Sizes and types only, so
// SQLite need not read the data of the row.
std::string ValueShapeProblem(std::int64_t id, int typeType, std::int64_t type, int dataType,
                              std::int64_t dataSize) {
    if (typeType != SQLITE_INTEGER || type < 0 || type > 0xFFFFFFFF) {
        return "the type of " + Row("the value", id) + " is not a 32-bit number";
    }
    if (dataType == SQLITE_NULL) return Row("the value", id) + " has no data bytes";
    if (dataType != SQLITE_BLOB) return "the data of " + Row("the value", id) + " are not bytes";
    if (static_cast<std::uint64_t>(dataSize) > kMaxValueDataSize) {
        return "the data of " + Row("the value", id) + " are larger than 1 MiB";
    }
    return {};
}

// Reads the value row whose columns from first on are id, name, type, data.
std::string ReadValueRow(const SqliteStatement& row, int first, std::u16string& name,
                         ValueBlock* values) {
    const std::int64_t id = row.ColumnInt(first);
    std::string problem = NameProblem(row, first + 1, false, id);
    if (problem.empty()) {
        problem = ValueShapeProblem(id, row.ColumnType(first + 2), row.ColumnInt(first + 2),
                                    row.ColumnType(first + 3), row.ColumnBlob(first + 3).size());
    }
    if (!problem.empty()) return problem;
    NameOf(row, first + 1, name);
    if (name.find(u'\0') != std::u16string::npos) {
        return "the name of " + Row("the value", id) + " holds a NUL character";
    }
    values->Append(id, name, static_cast<DWORD>(row.ColumnInt(first + 2)),
                   row.ColumnBlob(first + 3));
    return {};
}

// Why the folded column of a row whose name is valid does not hold the name
// folded as the store folds it, or an empty string.
std::string FoldedProblem(const SqliteStatement& row, int nameColumn, int foldedColumn,
                          const char* what, std::u16string& buffer) {
    const std::u16string folded = FoldName(NameOf(row, nameColumn, buffer));
    const std::span<const std::uint8_t> stored = row.ColumnBlob(foldedColumn);
    const bool same = row.ColumnType(foldedColumn) == SQLITE_BLOB &&
                      stored.size() == folded.size() * 2 &&
                      (folded.empty() || std::memcmp(stored.data(), folded.data(), stored.size()) == 0);
    return same ? std::string()
                : "the folded name of " + Row(what, row.ColumnInt(0)) + " does not match its name";
}

}  // namespace

std::string SchemaProblem(std::int64_t applicationId, std::int64_t schemaVersion) {
    if (applicationId != kApplicationId) return "it is another program's SQLite database";
    if (schemaVersion > kSchemaVersion) {
        return "it was written by a newer version of Brackwell (schema " +
               std::to_string(schemaVersion) + ")";
    }
    if (schemaVersion < kSchemaVersion) {
        return "its schema version " + std::to_string(schemaVersion) + " is unknown";
    }
    return {};
}

std::int64_t RootKeyId(HKEY hKey) {
    const auto value = reinterpret_cast<DWORD_PTR>(hKey);
    const auto first = reinterpret_cast<DWORD_PTR>(HKEY_CLASSES_ROOT);
    return value >= first && value < first + 4 ? static_cast<std::int64_t>(value - first + 1) : 0;
}

int StoreTables::Run(SqliteStatement& statement) {
    if (!statement.valid()) return SQLITE_ERROR;
    const int rc = statement.Step();
    statement.Reset();
    return rc == SQLITE_DONE || rc == SQLITE_ROW ? SQLITE_OK : rc;
}

int StoreTables::CreateSchema() {
    int rc = db_.Execute(
        "CREATE TABLE keys(id INTEGER PRIMARY KEY AUTOINCREMENT, parent INTEGER NOT NULL,"
        " name BLOB NOT NULL, folded BLOB NOT NULL, UNIQUE(parent, folded));"
        "CREATE TABLE vals(id INTEGER PRIMARY KEY, key INTEGER NOT NULL, name BLOB NOT NULL,"
        " folded BLOB NOT NULL, type INTEGER NOT NULL, data BLOB NOT NULL, UNIQUE(key, folded));"
        "PRAGMA application_id=1112689495;"
        "PRAGMA user_version=1;");
    static_assert(kApplicationId == 1112689495 && kSchemaVersion == 1);
    const char16_t* const roots[] = {u"HKEY_CLASSES_ROOT", u"HKEY_CURRENT_USER",
                                     u"HKEY_LOCAL_MACHINE", u"HKEY_USERS"};
    for (const char16_t* root : roots) {
        std::int64_t id = 0;
        if (rc == SQLITE_OK) rc = InsertKey(0, root, &id);
    }
    return rc;
}

int StoreTables::LoadKeys(KeyIndex& index, std::string* problem) {
    const auto count = db_.QueryInt("SELECT count(*) FROM keys");
    if (!count) return db_.ErrorCode() != SQLITE_OK ? db_.ErrorCode() : SQLITE_ERROR;
    index.BeginLoad(static_cast<std::size_t>(*count));

    SqliteStatement& select = db_.Prepared("SELECT id, parent, name FROM keys ORDER BY id");
    if (!select.valid()) return SQLITE_ERROR;
    std::u16string name;
    int rc;
    while ((rc = select.Step()) == SQLITE_ROW) {
        const std::int64_t id = select.ColumnInt(0);
        const std::int64_t parent = select.ColumnInt(1);
        if (id < 1) {
            *problem = Row("the key", id) + " has a row number the registry never gives";
        } else if (select.ColumnType(1) != SQLITE_INTEGER || (parent == 0) != (id <= 4)) {
            *problem =
                Row("the key", id) + (id <= 4 ? " is a root key with a parent" : " has no parent");
        } else {
            *problem = NameProblem(select, 2, true, id);
        }
        if (!problem->empty()) {
            rc = SQLITE_CORRUPT;
            break;
        }
        index.AddLoaded(id, parent, NameOf(select, 2, name));
    }
    select.Reset();
    if (rc != SQLITE_DONE) return rc;
    for (std::int64_t root = 1; root <= 4; ++root) {
        if (index.SlotOf(root) == KeyIndex::kNoSlot) {
            *problem = "the root key of row " + std::to_string(root) + " is missing";
            return SQLITE_CORRUPT;
        }
    }
    *problem = index.FinishLoad(kMaxKeyDepth);
    return problem->empty() ? SQLITE_OK : SQLITE_CORRUPT;
}

std::string ValueWithoutKey(const KeyIndex& index, const std::vector<ValueOwner>& owners) {
    for (const ValueOwner& owner : owners) {
        if (index.SlotOf(owner.key) == KeyIndex::kNoSlot) {
            return Row("the value", owner.value) + " belongs to no key: there is no key of row " +
                   std::to_string(owner.key);
        }
    }
    return {};
}

// Sizes only, which SQLite reads from each row's header without touching the
// name or the data: the cheapest pass that still sees every row. Types and
// the characters of names are checked whenever a key's values are read.
int StoreTables::ScanValueRows(std::vector<ValueOwner>* owners, ValueSizes* sizes,
                               std::string* problem) {
    *sizes = {};
    SqliteStatement& select = db_.Prepared("SELECT id, key, length(name), length(data) FROM vals");
    if (!select.valid()) return SQLITE_ERROR;
    int rc;
    while ((rc = select.Step()) == SQLITE_ROW) {
        const std::int64_t id = select.ColumnInt(0);
        const std::int64_t nameBytes = select.ColumnInt(2);
        if (select.ColumnType(2) == SQLITE_NULL) {
            *problem = Row("the value", id) + " has no name";
        } else if (nameBytes % 2 != 0) {
            *problem = "the name of " + Row("the value", id) + " is not stored as UTF-16";
        } else if (static_cast<std::uint64_t>(nameBytes) / 2 > kMaxValueNameLength) {
            *problem = "the name of " + Row("the value", id) + " is longer than 255 characters";
        } else if (select.ColumnType(3) == SQLITE_NULL) {
            *problem = Row("the value", id) + " has no data bytes";
        } else if (static_cast<std::uint64_t>(select.ColumnInt(3)) > kMaxValueDataSize) {
            *problem = "the data of " + Row("the value", id) + " are larger than 1 MiB";
        }
        if (!problem->empty()) {
            rc = SQLITE_CORRUPT;
            break;
        }
        const std::int64_t key = select.ColumnInt(1);
        if (owners->empty() || owners->back().key != key) owners->push_back({id, key});
        ++sizes->rows;
        sizes->nameBytes += static_cast<std::uint64_t>(nameBytes);
        sizes->dataBytes += static_cast<std::uint64_t>(select.ColumnInt(3));
    }
    select.Reset();
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

int StoreTables::CheckValueRows(const KeyIndex& index, ValueSizes* sizes, std::string* problem) {
    std::vector<ValueOwner> owners;
    const int rc = ScanValueRows(&owners, sizes, problem);
    if (rc != SQLITE_OK) return rc;
    *problem = ValueWithoutKey(index, owners);
    return problem->empty() ? SQLITE_OK : SQLITE_CORRUPT;
}

int StoreTables::CheckEveryRow(std::string* problem) {
    std::u16string name;
    SqliteStatement& keys = db_.Prepared("SELECT id, name, folded FROM keys");
    if (!keys.valid()) return SQLITE_ERROR;
    int rc;
    while ((rc = keys.Step()) == SQLITE_ROW) {
        *problem = FoldedProblem(keys, 1, 2, "the key", name);
        if (!problem->empty()) break;
    }
    keys.Reset();
    if (!problem->empty()) return SQLITE_CORRUPT;
    if (rc != SQLITE_DONE) return rc;
    SqliteStatement& values = db_.Prepared("SELECT id, name, type, data, folded FROM vals");
    if (!values.valid()) return SQLITE_ERROR;
    while ((rc = values.Step()) == SQLITE_ROW) {
        ValueBlock row;
        *problem = ReadValueRow(values, 0, name, &row);
        if (problem->empty()) *problem = FoldedProblem(values, 1, 4, "the value", name);
        if (!problem->empty()) break;
    }
    values.Reset();
    if (!problem->empty()) return SQLITE_CORRUPT;
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

int StoreTables::LoadKeyValues(std::int64_t keyId, ValueBlock* values, std::string* problem) {
    SqliteStatement& select =
        db_.Prepared("SELECT id, name, type, data FROM vals WHERE key = ?1 ORDER BY id");
    if (!select.valid()) return SQLITE_ERROR;
    select.BindInt(1, keyId);
    std::u16string name;
    int rc;
    while ((rc = select.Step()) == SQLITE_ROW) {
        *problem = ReadValueRow(select, 0, name, values);
        if (!problem->empty()) {
            rc = SQLITE_CORRUPT;
            break;
        }
    }
    select.Reset();
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

// One scan of the table in row order, the cheapest way through it, then the
// records grouped by key with a counting sort, which keeps each key's values
// in row order, that is in creation order.
int StoreTables::LoadAllValues(const KeyIndex& index, const ValueSizes& expected,
                               ValueBlock* values, std::vector<std::uint32_t>* firstRecord,
                               std::string* problem) {
    SqliteStatement& select = db_.Prepared("SELECT key, id, name, type, data FROM vals");
    if (!select.valid()) return SQLITE_ERROR;
    values->Reserve(expected.rows, expected.nameBytes / 2, expected.dataBytes);
    std::vector<KeyIndex::Slot> slots;
    slots.reserve(expected.rows);
    std::u16string name;
    int rc;
    while ((rc = select.Step()) == SQLITE_ROW) {
        const KeyIndex::Slot slot = index.SlotOf(select.ColumnInt(0));
        if (slot == KeyIndex::kNoSlot) {
            *problem = Row("the value", select.ColumnInt(1)) + " belongs to no key";
        } else {
            *problem = ReadValueRow(select, 1, name, values);
        }
        if (!problem->empty()) {
            rc = SQLITE_CORRUPT;
            break;
        }
        slots.push_back(slot);
    }
    select.Reset();
    if (rc != SQLITE_DONE) return rc;

    firstRecord->assign(index.size() + 1, 0);
    for (KeyIndex::Slot slot : slots) ++(*firstRecord)[slot + 1];
    for (std::size_t s = 1; s < firstRecord->size(); ++s)
        (*firstRecord)[s] += (*firstRecord)[s - 1];
    std::vector<std::uint32_t> order(slots.size());
    std::vector<std::uint32_t> next(firstRecord->begin(), firstRecord->end() - 1);
    for (std::uint32_t r = 0; r < slots.size(); ++r) order[next[slots[r]]++] = r;
    values->Reorder(order);
    return SQLITE_OK;
}

int StoreTables::InsertKey(std::int64_t parentId, std::u16string_view name, std::int64_t* id) {
    SqliteStatement& insert =
        db_.Prepared("INSERT INTO keys(parent, name, folded) VALUES(?1, ?2, ?3)");
    const std::u16string folded = FoldName(name);
    if (insert.valid()) {
        insert.BindInt(1, parentId);
        insert.BindName(2, name);
        insert.BindName(3, folded);
    }
    const int rc = Run(insert);
    *id = db_.LastInsertId();
    return rc;
}

int StoreTables::DeleteKeyTree(std::int64_t id) {
    SqliteStatement& values = db_.Prepared(
        "WITH RECURSIVE tree(id) AS (SELECT ?1 UNION ALL"
        " SELECT keys.id FROM keys JOIN tree ON keys.parent = tree.id)"
        " DELETE FROM vals WHERE key IN tree");
    if (values.valid()) values.BindInt(1, id);
    int rc = Run(values);
    if (rc != SQLITE_OK) return rc;
    SqliteStatement& keys = db_.Prepared(
        "WITH RECURSIVE tree(id) AS (SELECT ?1 UNION ALL"
        " SELECT keys.id FROM keys JOIN tree ON keys.parent = tree.id)"
        " DELETE FROM keys WHERE id IN tree");
    if (keys.valid()) keys.BindInt(1, id);
    return Run(keys);
}

int StoreTables::PutValue(std::int64_t keyId, std::u16string_view name, DWORD type,
                          std::span<const BYTE> data, std::int64_t* id) {
    // A new value is inserted without RETURNING, which would cost about a
    // third of a large import; its id is then the last one inserted. Only a
    // value that exists is updated and asked for its id.
    SqliteStatement& insert = db_.Prepared(
        "INSERT INTO vals(key, name, folded, type, data) VALUES(?1, ?2, ?3, ?4, ?5)"
        " ON CONFLICT(key, folded) DO NOTHING");
    SqliteStatement& update = db_.Prepared(
        "UPDATE vals SET type = ?3, data = ?4 WHERE key = ?1 AND folded = ?2 RETURNING id");
    if (!insert.valid() || !update.valid()) return SQLITE_ERROR;
    const std::u16string folded = FoldName(name);
    insert.BindInt(1, keyId);
    insert.BindName(2, name);
    insert.BindName(3, folded);
    insert.BindInt(4, type);
    insert.BindBytes(5, data);
    const std::int64_t changesBefore = db_.TotalChanges();
    int rc = Run(insert);
    if (rc != SQLITE_OK) return rc;
    if (db_.TotalChanges() != changesBefore) {
        *id = db_.LastInsertId();
        return SQLITE_OK;
    }
    update.BindInt(1, keyId);
    update.BindName(2, folded);
    update.BindInt(3, type);
    update.BindBytes(4, data);
    rc = update.Step();
    if (rc == SQLITE_ROW) *id = update.ColumnInt(0);
    update.Reset();
    return rc == SQLITE_ROW ? SQLITE_OK : rc == SQLITE_DONE ? SQLITE_CORRUPT : rc;
}

int StoreTables::DeleteValue(std::int64_t keyId, std::u16string_view name, bool* found) {
    SqliteStatement& erase = db_.Prepared("DELETE FROM vals WHERE key = ?1 AND folded = ?2");
    const std::u16string folded = FoldName(name);
    if (erase.valid()) {
        erase.BindInt(1, keyId);
        erase.BindName(2, folded);
    }
    const std::int64_t before = db_.TotalChanges();
    const int rc = Run(erase);
    *found = db_.TotalChanges() != before;
    return rc;
}

}  // namespace brackwell::registry
