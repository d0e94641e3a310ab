// Rows the store never writes, as a damaged, hand-edited or hostile file can
// hold them: opening such a file refuses it with the first problem and leaves
// it as it was; a tree the store could have written is read in full.

#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "registry/device_registry.h"
#include "registry/registry.h"
#include "tests/registry/registry_fixture.h"

namespace brackwell::registry::testing {
namespace {

// A blob literal of the UTF-16 text made of count times the character c.
std::string Utf16Literal(char c, std::size_t count) {
    char unit[5];
    std::snprintf(unit, sizeof unit, "%02X00", static_cast<unsigned char>(c));
    std::string literal = "x'";
    for (std::size_t i = 0; i < count; ++i) literal += unit;
    return literal + "'";
}

void Execute(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(path.c_str(), &db));
    EXPECT_EQ(SQLITE_OK, sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr))
        << sqlite3_errmsg(db);
    sqlite3_close(db);
}

// Lets the keys table hold a NULL name, as a file made by another program can.
const std::string kNullableNames =
    "PRAGMA writable_schema=ON;"
    "UPDATE sqlite_schema SET sql = replace(sql, 'name BLOB NOT NULL', 'name BLOB')"
    " WHERE name = 'keys';";

struct BadRows {
    const char* fault;
    std::string schema;  // run first, in a connection of its own
    std::string rows;
    const char* reason;  // part of the message
};

class BadRowFiles : public ::testing::TestWithParam<BadRows> {};

TEST_P(BadRowFiles, AreRefusedWithTheirProblemAndLeftUntouched) {
    TemporaryFolder folder;
    const std::string path = folder.path() + "/registry.sqlite3";
    ASSERT_TRUE(OpenDeviceRegistry(path).ok);
    CloseDeviceRegistry();
    if (!GetParam().schema.empty()) Execute(path, GetParam().schema);
    Execute(path, GetParam().rows);
    const std::string before = ReadFileBytes(path);

    const OpenResult opened = OpenDeviceRegistry(path);
    EXPECT_FALSE(opened.ok);
    EXPECT_NE(std::string::npos, opened.error.find(path)) << opened.error;
    EXPECT_NE(std::string::npos, opened.error.find(GetParam().reason)) << opened.error;
    EXPECT_NE(std::string::npos, opened.error.find("left untouched")) << opened.error;
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_INVALID_HANDLE, RegOpenKeyEx(HKEY_CURRENT_USER, u"", 0, 0, &key));
    EXPECT_EQ(before, ReadFileBytes(path));
    EXPECT_FALSE(std::filesystem::exists(path + "-wal"));
}

const std::string kKeyColumns = "INSERT INTO keys(id, parent, name, folded)";
const std::string kKeyRow = kKeyColumns + " VALUES";
const std::string kValueRow = "INSERT INTO vals(key, name, folded, type, data) VALUES";

INSTANTIATE_TEST_SUITE_P(
    Registry, BadRowFiles,
    ::testing::Values(
        BadRows{"EmptyKeyName", "", kKeyRow + "(10, 2, x'', x'')", "has an empty name"},
        BadRows{"BackslashInKeyName", "", kKeyRow + "(10, 2, x'61005C006200', x'41005C004200')",
                "holds a backslash"},
        BadRows{"KeyNameStartingWithNul", "", kKeyRow + "(10, 2, x'00006100', x'00004100')",
                "holds a NUL character"},
        BadRows{"NullKeyName", kNullableNames, kKeyRow + "(10, 2, NULL, x'41')", "has no name"},
        BadRows{"KeyNameNotUtf16", "", kKeyRow + "(10, 2, x'616263', x'414243')",
                "not stored as UTF-16"},
        BadRows{"KeyNameOver255", "", kKeyRow + "(10, 2, " + Utf16Literal('a', 256) + ", x'41')",
                "longer than 255 characters"},
        BadRows{"ValueNameOver255", "",
                kValueRow + "(2, " + Utf16Literal('v', 256) + ", x'56', 1, x'')",
                "longer than 255 characters"},
        BadRows{"DataOver1MiB", "", kValueRow + "(2, x'7600', x'5600', 3, zeroblob(1048577))",
                "larger than 1 MiB"},
        BadRows{"KeyDeeperThan512", "",
                "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 513) " +
                    kKeyColumns +
                    " SELECT 100 + i, CASE i WHEN 1 THEN 2 ELSE 99 + i END,"
                    " x'6100', x'4100' FROM n",
                "deeper than 512 levels"},
        BadRows{"KeyWithoutParent", "", kKeyRow + "(10, 400, x'6100', x'4100')", "has no parent"},
        BadRows{"ValueWithoutKey", "", kValueRow + "(999, x'6100', x'4100', 1, x'')",
                "belongs to no key"},
        BadRows{"ValueWithoutKeyAmongAKeysValues", "",
                kValueRow + "(2, x'6100', x'4100', 1, x''), (999, x'6200', x'4200', 1, x''),"
                            " (2, x'6300', x'4300', 1, x'')",
                "belongs to no key"},
        BadRows{"NamesDifferingOnlyInCase", "",
                kKeyRow + "(10, 2, x'6100', x'4100'), (11, 2, x'4100', x'4200')",
                "differ only in case"},
        BadRows{"Cycle", "", kKeyRow + "(10, 11, x'6100', x'4100'), (11, 10, x'6200', x'4200')",
                "cycle"},
        BadRows{"KeyItsOwnParent", "", kKeyRow + "(10, 10, x'6100', x'4100')", "cycle"}),
    [](const ::testing::TestParamInfo<BadRows>& info) { return info.param.fault; });

// Ids only grow when the store writes, but a file put together by hand can
// hold a key older than its parent; the tree still holds together.
TEST(GoodRowFiles, AKeyOlderThanItsParentIsReadInFull) {
    TemporaryFolder folder;
    const std::string path = folder.path() + "/registry.sqlite3";
    ASSERT_TRUE(OpenDeviceRegistry(path).ok);
    CloseDeviceRegistry();
    Execute(path,
            "INSERT INTO keys(id, parent, name, folded) VALUES"
            "(10, 12, x'43006800', x'43004800'), (11, 12, x'42006800', x'42004800'),"
            "(12, 2, x'5000', x'5000');"  // HKCU\P\Ch and HKCU\P\Bh
            "INSERT INTO vals(key, name, folded, type, data) VALUES(10, x'7600', x'5600', 4, "
            "x'2A000000')");
    const OpenResult opened = OpenDeviceRegistry(path);
    ASSERT_TRUE(opened.ok) << opened.error;
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, u"P", 0, 0, &key));
    WCHAR name[256];
    std::vector<std::u16string> names;
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        if (RegEnumKeyEx(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    EXPECT_EQ((std::vector<std::u16string>{u"Ch", u"Bh"}), names);
    RegCloseKey(key);
    DWORD number = 0;
    DWORD size = sizeof number;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, u"P\\ch", 0, 0, &key));
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueEx(key, u"V", nullptr, nullptr,
                                             reinterpret_cast<BYTE*>(&number), &size));
    EXPECT_EQ(42u, number);
    RegCloseKey(key);
    CloseDeviceRegistry();
}

// Rows whose faults only a full read shows: opening reads no data and folds
// no names, so the file opens, and check finds the fault.
class RowsOnlyCheckReads : public ::testing::TestWithParam<BadRows> {};

TEST_P(RowsOnlyCheckReads, OpenButFailTheCheck) {
    TemporaryFolder folder;
    const std::string path = folder.path() + "/registry.sqlite3";
    ASSERT_TRUE(OpenDeviceRegistry(path).ok);
    EXPECT_TRUE(CheckDeviceRegistry().ok);
    CloseDeviceRegistry();
    Execute(path, GetParam().rows);

    ASSERT_TRUE(OpenDeviceRegistry(path).ok);
    const OpenResult checked = CheckDeviceRegistry();
    CloseDeviceRegistry();
    EXPECT_FALSE(checked.ok);
    EXPECT_NE(std::string::npos, checked.error.find(GetParam().reason)) << checked.error;
}

INSTANTIATE_TEST_SUITE_P(
    Registry, RowsOnlyCheckReads,
    ::testing::Values(
        BadRows{"DataStoredAsANumber", "", kValueRow + "(2, x'7600', x'5600', 4, 42)",
                "are not bytes"},
        BadRows{"NegativeType", "", kValueRow + "(2, x'7600', x'5600', -1, x'')",
                "not a 32-bit number"},
        BadRows{"TypeBeyond32Bits", "", kValueRow + "(2, x'7600', x'5600', 4294967296, x'')",
                "not a 32-bit number"},
        BadRows{"KeyFoldedOtherwise", "", kKeyRow + "(10, 2, x'6100', x'5A00')",
                "folded name of the key of row 10"},
        BadRows{"ValueFoldedOtherwise", "", kValueRow + "(2, x'7600', x'7600', 1, x'')",
                "folded name of the value of row"}),
    [](const ::testing::TestParamInfo<BadRows>& info) { return info.param.fault; });

}  // namespace
}  // namespace brackwell::registry::testing
