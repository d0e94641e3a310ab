// A read-only open, by the calls or by brackwell-reg check and query, never
// changes a byte in the registry's folder, whatever state another program or
// a crash left the file in; a writing open then takes the file in hand.

#include <sqlite3.h>

#include <filesystem>
#include <map>

#include "registry/device_registry.h"
#include "registry/registry.h"
#include "tests/registry/helper_process.h"
#include "tests/registry/registry_fixture.h"

namespace brackwell::registry::testing {
namespace {

using Snapshot = std::map<std::string, std::string>;

Snapshot TakeSnapshot(const std::string& folder) {
    Snapshot files;
    for (const std::string& name : FolderListing(folder))
        files[name] = ReadFileBytes(folder + "/" + name);
    return files;
}

void Sql(sqlite3* db, const char* sql) {
    EXPECT_EQ(SQLITE_OK, sqlite3_exec(db, sql, nullptr, nullptr, nullptr)) << sqlite3_errmsg(db);
}

// HKCU\Logged, written by another program in write-ahead-log mode.
constexpr char kInsertLogged[] =
    "INSERT INTO keys(parent, name, folded) VALUES(2, x'4c006f006700670065006400',"
    " x'4c004f004700470045004400')";

struct LeftState {
    const char* state;
    void (*make)(const std::string& path);
    const char* refusal;  // what the read-only open says, or nullptr when it reads the file
    bool logged;
    void Sql(sqlite3* db, const char* sql) {
        EXPECT_EQ(SQLITE_OK, sqlite3_exec(db, sql, nullptr, nullptr, nullptr))
            << sqlite3_errmsg(db);
    }

    // HKCU\Logged is there once a writing open took the file in hand
};

class ReadOnlyOpen : public ::testing::TestWithParam<LeftState> {};

TEST_P(ReadOnlyOpen, ChangesNothingAndAWritingOpenTakesItInHand) {
    TemporaryFolder folder;
    const std::string path = folder.path() + "/registry.sqlite3";
    ASSERT_TRUE(OpenDeviceRegistry(path, LargeSeed(1000)).ok);
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyEx(HKEY_CURRENT_USER, u"Kept", 0, nullptr, 0, 0, nullptr, &key, nullptr));
    RegCloseKey(key);
    CloseDeviceRegistry();
    GetParam().make(path);
    const Snapshot before = TakeSnapshot(folder.path());

    const OpenResult opened = OpenDeviceRegistryReadOnly(path);
    const char* refusal = GetParam().refusal;
    if (refusal) {
        EXPECT_FALSE(opened.ok);
        EXPECT_NE(std::string::npos, opened.error.find(refusal)) << opened.error;
    } else {
        ASSERT_TRUE(opened.ok) << opened.error;
        EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, u"Kept", 0, 0, &key));
        RegCloseKey(key);
        EXPECT_EQ(ERROR_ACCESS_DENIED, RegCreateKeyEx(HKEY_CURRENT_USER, u"New", 0, nullptr, 0, 0,
                                                      nullptr, &key, nullptr));
        EXPECT_TRUE(CheckDeviceRegistry().ok);
    }
    CloseDeviceRegistry();
    const int status = refusal ? 1 : 0;
    EXPECT_EQ(status, RunProgram(BRACKWELL_REG_TOOL, {"--registry", path, "check"}).status);
    EXPECT_EQ(status, RunProgram(BRACKWELL_REG_TOOL, {"--registry", path, "query", "HKCU"}).status);
    EXPECT_TRUE(before == TakeSnapshot(folder.path())) << "a read-only open changed the folder";

    const OpenResult writing = OpenDeviceRegistry(path);
    ASSERT_TRUE(writing.ok) << writing.error;
    EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, u"Kept", 0, 0, &key));
    RegCloseKey(key);
    EXPECT_EQ(GetParam().logged ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND,
              RegOpenKeyEx(HKEY_CURRENT_USER, u"Logged", 0, 0, &key));
    RegCloseKey(key);
    CloseDeviceRegistry();
    const std::string header = ReadFileBytes(path).substr(18, 2);
    EXPECT_EQ(std::string("\x01\x01"), header)
        << "the writing open left the journal mode as it was";
}

INSTANTIATE_TEST_SUITE_P(
    Registry, ReadOnlyOpen,
    ::testing::Values(
        LeftState{"AsTheStoreLeftIt", [](const std::string&) {}, nullptr, false},
        LeftState{"WriteAheadLogHeaderLeftByAnotherProgram",
                  [](const std::string& path) {
                      sqlite3* db = nullptr;
                      ASSERT_EQ(SQLITE_OK, sqlite3_open(path.c_str(), &db));
                      Sql(db, "PRAGMA journal_mode=WAL");
                      sqlite3_close(db);
                  },
                  nullptr, false},
        LeftState{"WriteAheadLogStillHoldingChanges",
                  [](const std::string& path) {
                      LeaveAsIfCrashed(path, "PRAGMA journal_mode=WAL", kInsertLogged, "-wal");
                  },
                  "write-ahead log", true},
        LeftState{"JournalOfAWriteCutShort",
                  [](const std::string& path) {
                      // A small cache spills the write into the file before
                      // the commit, as a large write does.
                      LeaveAsIfCrashed(
                          path, "PRAGMA cache_size=10; BEGIN",
                          "UPDATE vals SET data = data || x'00'; DELETE FROM keys WHERE id > 4",
                          "-journal");
                  },
                  "cut short", false}),
    [](const ::testing::TestParamInfo<LeftState>& info) { return info.param.state; });

}  // namespace
}  // namespace brackwell::registry::testing
