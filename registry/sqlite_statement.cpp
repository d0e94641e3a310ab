#include "registry/sqlite_statement.h"

#include <bit>
#include <cstring>
#include <utility>

namespace brackwell::registry {

static_assert(std::endian::native == std::endian::little,
              "names are stored as UTF-16LE blobs in the machine's own order");

SqliteStatement::SqliteStatement(sqlite3* db, const char* sql) {
    if (sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement_, nullptr) !=
        SQLITE_OK) {
        sqlite3_finalize(statement_);
        statement_ = nullptr;
    }
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(statement_);
}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : statement_(std::exchange(other.statement_, nullptr)) {}

SqliteStatement& SqliteStatement::operator=(SqliteStatement&& other) noexcept {
    if (this != &other) {
        sqlite3_finalize(statement_);
        statement_ = std::exchange(other.statement_, nullptr);
    }
    return *this;
}

void SqliteStatement::BindInt(int index, std::int64_t value) {
    sqlite3_bind_int64(statement_, index, value);
}

void SqliteStatement::BindBytes(int index, std::span<const std::uint8_t> bytes) {
    // A zero-length blob must still bind as a blob, not NULL.
    static const std::uint8_t kEmpty = 0;
    sqlite3_bind_blob64(statement_, index, bytes.empty() ? &kEmpty : bytes.data(), bytes.size(),
                        SQLITE_STATIC);
}

void SqliteStatement::BindName(int index, std::u16string_view name) {
    BindBytes(index, {reinterpret_cast<const std::uint8_t*>(name.data()), name.size() * 2});
}

int SqliteStatement::Step() {
    return sqlite3_step(statement_);
}

void SqliteStatement::Reset() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

std::int64_t SqliteStatement::ColumnInt(int column) const {
    return sqlite3_column_int64(statement_, column);
}

int SqliteStatement::ColumnType(int column) const {
    return sqlite3_column_type(statement_, column);
}

std::span<const std::uint8_t> SqliteStatement::ColumnBlob(int column) const {
    const auto* bytes = static_cast<const std::uint8_t*>(sqlite3_column_blob(statement_, column));
    const auto size = static_cast<std::size_t>(sqlite3_column_bytes(statement_, column));
    return bytes ? std::span<const std::uint8_t>(bytes, size) : std::span<const std::uint8_t>();
}

std::string SqliteStatement::ColumnText(int column) const {
    const auto* text = sqlite3_column_text(statement_, column);
    return text ? std::string(reinterpret_cast<const char*>(text)) : std::string();
}

}  // namespace brackwell::registry
