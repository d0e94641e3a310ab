#include "registry/store_tables.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "registry/name_folding.h"

namespace brackwell::registry {

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

int StoreTables::LoadKeys(KeyIndex& index) {
    index.Clear();
    const auto count = db_.QueryInt("SELECT count(*) FROM keys");
    if (!count) return SQLITE_ERROR;
    index.Reserve(static_cast<std::size_t>(*count));

    SqliteStatement& select = db_.Prepared("SELECT id, parent, name FROM keys ORDER BY id");
    if (!select.valid()) return SQLITE_ERROR;
    int rc;
    while ((rc = select.Step()) == SQLITE_ROW) {
        const std::int64_t id = select.ColumnInt(0);
        const std::int64_t parent = select.ColumnInt(1);
        if ((parent == 0) != (id <= 4) ||
            index.Append(id, parent, select.ColumnName(2)) == KeyIndex::kNoSlot) {
            rc = SQLITE_CORRUPT;
            break;
        }
    }
    select.Reset();
    if (rc != SQLITE_DONE) return rc;
    for (std::int64_t root = 1; root <= 4; ++root) {
        if (index.SlotOf(root) == KeyIndex::kNoSlot) return SQLITE_CORRUPT;
    }
    return SQLITE_OK;
}

int StoreTables::LoadValues(KeyIndex& index) {
    SqliteStatement& select =
        db_.Prepared("SELECT key, id, name, type, data FROM vals ORDER BY id");
    if (!select.valid()) return SQLITE_ERROR;
    std::unordered_map<KeyIndex::Slot, std::shared_ptr<ValueList>> lists;
    int rc;
    while ((rc = select.Step()) == SQLITE_ROW) {
        const KeyIndex::Slot slot = index.SlotOf(select.ColumnInt(0));
        if (slot == KeyIndex::kNoSlot) {
            rc = SQLITE_CORRUPT;
            break;
        }
        std::shared_ptr<ValueList>& list = lists[slot];
        if (!list) list = std::make_shared<ValueList>();
        list->push_back({select.ColumnInt(1), select.ColumnName(2),
                         static_cast<DWORD>(select.ColumnInt(3)), select.ColumnBytes(4)});
    }
    select.Reset();
    if (rc != SQLITE_DONE) return rc;
    for (auto& [slot, list] : lists) index.node(slot).values = std::move(list);
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

int StoreTables::InsertValue(std::int64_t keyId, std::u16string_view name, DWORD type,
                             std::span<const BYTE> data, std::int64_t* id) {
    SqliteStatement& insert = db_.Prepared(
        "INSERT INTO vals(key, name, folded, type, data) VALUES(?1, ?2, ?3, ?4, ?5)");
    const std::u16string folded = FoldName(name);
    if (insert.valid()) {
        insert.BindInt(1, keyId);
        insert.BindName(2, name);
        insert.BindName(3, folded);
        insert.BindInt(4, type);
        insert.BindBytes(5, data);
    }
    const int rc = Run(insert);
    *id = db_.LastInsertId();
    return rc;
}

int StoreTables::UpdateValue(std::int64_t id, DWORD type, std::span<const BYTE> data) {
    SqliteStatement& update = db_.Prepared("UPDATE vals SET type = ?2, data = ?3 WHERE id = ?1");
    if (update.valid()) {
        update.BindInt(1, id);
        update.BindInt(2, type);
        update.BindBytes(3, data);
    }
    return Run(update);
}

int StoreTables::DeleteValue(std::int64_t id) {
    SqliteStatement& erase = db_.Prepared("DELETE FROM vals WHERE id = ?1");
    if (erase.valid()) erase.BindInt(1, id);
    return Run(erase);
}

}  // namespace brackwell::registry
