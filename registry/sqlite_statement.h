#pragma once
// A prepared SQLite statement that finalizes itself.

#include <sqlite3.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brackwell::registry {

class SqliteStatement {
public:
    SqliteStatement() = default;
    SqliteStatement(sqlite3* db, const char* sql);
    ~SqliteStatement();
    SqliteStatement(SqliteStatement&& other) noexcept;
    SqliteStatement& operator=(SqliteStatement&& other) noexcept;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    bool valid() const { return statement_ != nullptr; }

    void BindInt(int index, std::int64_t value);
    void BindBytes(int index, std::span<const std::uint8_t> bytes);
    // Names are kept as UTF-16 blobs: SQLite's text conversion would alter unpaired surrogates.
    void BindName(int index, std::u16string_view name);

    int Step();    // SQLITE_ROW, SQLITE_DONE or an error code
    void Reset();  // clears bindings too

    std::int64_t ColumnInt(int column) const;
    int ColumnType(int column) const;  // SQLITE_INTEGER, SQLITE_BLOB, SQLITE_NULL, ...
    // The bytes of a blob column, valid until the next Step or Reset.
    std::span<const std::uint8_t> ColumnBlob(int column) const;
    std::string ColumnText(int column) const;

private:
    sqlite3_stmt* statement_ = nullptr;
};

}  // namespace brackwell::registry
