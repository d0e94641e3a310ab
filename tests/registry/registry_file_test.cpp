// The registry file: durability, where it lives, how it is created, and the
// refusal of files that are not ours.

#include <sqlite3.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "registry/apply_operations.h"
#include "registry/device_registry.h"
#include "registry/registry.h"
#include "tests/registry/helper_process.h"
#include "tests/registry/registry_fixture.h"

namespace brackwell::registry::testing {
namespace {

using Names = std::vector<std::u16string>;

class RegistryFile : public RegistryTest {
protected:
    // Closes the registry, runs sqlWhileClosed on the file if given, and opens it again.
    void Reopen(const char* sqlWhileClosed = nullptr) {
        for (HKEY key : opened_) RegCloseKey(key);
        opened_.clear();
        CloseDeviceRegistry();
        if (sqlWhileClosed) {
            sqlite3* db = nullptr;
            ASSERT_EQ(SQLITE_OK, sqlite3_open(RegistryPath().c_str(), &db));
            EXPECT_EQ(SQLITE_OK, sqlite3_exec(db, sqlWhileClosed, nullptr, nullptr, nullptr))
                << sqlite3_errmsg(db);
            sqlite3_close(db);
        }
        const OpenResult reopened = OpenDeviceRegistry(RegistryPath());
        ASSERT_TRUE(reopened.ok) << reopened.error;
    }
};

TEST_F(RegistryFile, EverythingSurvivesClosingAndReopening) {
    HKEY key = Create(u"Keep\\Me");
    SetString(key, u"Text", u"hello");
    const DWORD number = 42;
    RegSetValueEx(key, u"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4);
    Create(u"Keep\\Me\\Zed");
    Create(u"Keep\\Me\\alpha");
    Create(u"Gone");
    RegDeleteKey(HKEY_CURRENT_USER, u"Gone");
    RegDeleteValue(key, u"Number");
    SetString(key, u"Number", u"back");

    Reopen();
    HKEY again = Create(u"keep\\me");
    EXPECT_EQ((Names{u"Text", u"Number"}), ValueNames(again));
    EXPECT_EQ(u"hello", GetString(again, u"text"));
    EXPECT_EQ((Names{u"Zed", u"alpha"}), SubkeyNames(again));
    EXPECT_FALSE(Exists(u"Gone"));
}

// Key ids only grow, so a registry that has seen many keys come and go, or
// one edited by hand, holds ids far beyond its number of keys.
TEST_F(RegistryFile, KeysWithFarApartIdsLoadAndResolve) {
    Create(u"Near");
    Reopen("INSERT INTO keys(id, parent, name, folded)"
           " VALUES(1000000000000, 2, x'460061007200', x'460041005200')");  // HKCU\Far
    EXPECT_EQ((Names{u"Near", u"Far"}), SubkeyNames(HKEY_CURRENT_USER));
    HKEY child = Create(u"far\\Child");
    SetString(child, u"v", u"1");
    EXPECT_EQ(u"1", GetString(Create(u"Far\\Child"), u"v"));
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKey(HKEY_CURRENT_USER, u"Far"));
    EXPECT_EQ(ERROR_KEY_DELETED, RegQueryValueEx(child, u"v", nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ((Names{u"Near"}), SubkeyNames(HKEY_CURRENT_USER));
}

TEST(RegistryFileCreation, NewFileIsPrivateInPrivateFolders) {
    TemporaryFolder folder;
    const std::string path = folder.path() + "/a/b/registry.sqlite3";
    const mode_t previous = umask(0);  // the modes must not depend on the umask
    const OpenResult opened = OpenDeviceRegistry(path);
    umask(previous);
    ASSERT_TRUE(opened.ok) << opened.error;
    CloseDeviceRegistry();
    struct stat status {};
    ASSERT_EQ(0, stat(path.c_str(), &status));
    EXPECT_EQ(0600u, status.st_mode & 07777);
    for (const std::string& dir : {folder.path() + "/a", folder.path() + "/a/b"}) {
        ASSERT_EQ(0, stat(dir.c_str(), &status));
        EXPECT_EQ(0700u, status.st_mode & 07777) << dir;
    }
}

TEST(RegistryFileCreation, ANewFileIsSeededOnceAndAFailedSeedLeavesNoFile) {
    TemporaryFolder folder;
    const std::string path = folder.path() + "/registry.sqlite3";
    OpenResult opened = OpenDeviceRegistry(path, "REGEDIT4\n[HKEY_CURRENT_USER\\Bad\n");
    EXPECT_FALSE(opened.ok);
    EXPECT_NE(std::string::npos, opened.error.find(path)) << opened.error;
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ((std::vector<std::string>{"registry.sqlite3-lock"}), FolderListing(folder.path()));

    opened = OpenDeviceRegistry(path, "REGEDIT4\n\n[HKEY_CURRENT_USER\\Seeded]\n\"v\"=\"1\"\n");
    ASSERT_TRUE(opened.ok) << opened.error;
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, u"Seeded", 0, 0, &key));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKey(HKEY_CURRENT_USER, u"Seeded"));
    CloseDeviceRegistry();
    EXPECT_EQ(ERROR_INVALID_HANDLE, RegOpenKeyEx(HKEY_CURRENT_USER, u"", 0, 0, &key));

    opened = OpenDeviceRegistry(path, "REGEDIT4\n\n[HKEY_CURRENT_USER\\Seeded]\n");
    ASSERT_TRUE(opened.ok) << opened.error;
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, u"Seeded", 0, 0, &key))
        << "an existing registry was seeded again";
    CloseDeviceRegistry();
}

TEST(RegistryFileLocation, EnvironmentChoosesTheFile) {
    struct Saved {
        const char* name;
        std::optional<std::string> value;
    };
    std::vector<Saved> saved;
    for (const char* name : {"BRACKWELL_REGISTRY", "XDG_DATA_HOME", "HOME"}) {
        const char* value = std::getenv(name);
        saved.push_back({name, value ? std::optional<std::string>(value) : std::nullopt});
    }
    setenv("HOME", "/home/someone", 1);
    unsetenv("BRACKWELL_REGISTRY");
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ("/home/someone/.local/share/brackwell/registry.sqlite3", DefaultRegistryPath());
    setenv("XDG_DATA_HOME", "relative/ignored", 1);
    EXPECT_EQ("/home/someone/.local/share/brackwell/registry.sqlite3", DefaultRegistryPath());
    setenv("XDG_DATA_HOME", "/data", 1);
    EXPECT_EQ("/data/brackwell/registry.sqlite3", DefaultRegistryPath());
    setenv("BRACKWELL_REGISTRY", "", 1);
    EXPECT_EQ("/data/brackwell/registry.sqlite3", DefaultRegistryPath());
    setenv("BRACKWELL_REGISTRY", "/elsewhere/r.db", 1);
    EXPECT_EQ("/elsewhere/r.db", DefaultRegistryPath());
    for (const Saved& s : saved) {
        if (s.value) {
            setenv(s.name, s.value->c_str(), 1);
        } else {
            unsetenv(s.name);
        }
    }
}

// Each row writes a file that is not a usable registry; opening it must fail
// and leave it byte-for-byte as it was, with no journal beside it.
struct ForeignFile {
    const char* fault;
    void (*make)(const std::string& path);
};

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

void MakeWithSqlite(const std::string& path, const char* sql) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

void MakeDamagedRegistry(const std::string& path) {
    ASSERT_TRUE(OpenDeviceRegistry(path).ok);
    HKEY key = nullptr;
    for (int i = 0; i < 200; ++i) {
        const std::u16string name = u"Key" + std::u16string(1, char16_t(u'A' + i % 26)) + char16_t(u'a' + i / 26);
        RegCreateKeyEx(HKEY_LOCAL_MACHINE, name.c_str(), 0, nullptr, 0, 0, nullptr, &key, nullptr);
        RegCloseKey(key);
    }
    CloseDeviceRegistry();
    std::string bytes = ReadFileBytes(path);
    ASSERT_GT(bytes.size(), 3 * 4096u);
    for (std::size_t i = 4096 + 8; i < 3 * 4096; ++i) bytes[i] = static_cast<char>(0xA5);
    WriteBytes(path, bytes);
    std::filesystem::remove(path + "-journal");  // the empty journal our own use leaves
}

class RefusedFiles : public ::testing::TestWithParam<ForeignFile> {};

TEST_P(RefusedFiles, AreLeftUntouched) {
    TemporaryFolder folder;
    const std::string path = folder.path() + "/registry.sqlite3";
    GetParam().make(path);
    const std::string before = ReadFileBytes(path);
    ASSERT_FALSE(before.empty());

    const OpenResult opened = OpenDeviceRegistry(path);
    EXPECT_FALSE(opened.ok);
    EXPECT_NE(std::string::npos, opened.error.find(path)) << opened.error;
    EXPECT_NE(std::string::npos, opened.error.find("left untouched")) << opened.error;
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_INVALID_HANDLE, RegCreateKeyEx(HKEY_CURRENT_USER, u"X", 0, nullptr, 0, 0, nullptr,
                                                   &key, nullptr));
    EXPECT_EQ(before, ReadFileBytes(path));
    EXPECT_FALSE(std::filesystem::exists(path + "-journal"));
    EXPECT_FALSE(std::filesystem::exists(path + "-wal"));
}

INSTANTIATE_TEST_SUITE_P(
    Registry, RefusedFiles,
    ::testing::Values(
        ForeignFile{"Garbage", [](const std::string& p) { WriteBytes(p, std::string(5000, '\x17')); }},
        ForeignFile{"ShorterThanAHeader", [](const std::string& p) { WriteBytes(p, "SQLite format 3"); }},
        ForeignFile{"AnotherProgramsDatabase",
                    [](const std::string& p) { MakeWithSqlite(p, "CREATE TABLE notes(text)"); }},
        ForeignFile{"NewerSchema",
                    [](const std::string& p) {
                        MakeWithSqlite(p, "PRAGMA application_id=1112689495; PRAGMA user_version=2;"
                                          "CREATE TABLE keys(x)");
                    }},
        ForeignFile{"DamagedRegistry", MakeDamagedRegistry}),
    [](const ::testing::TestParamInfo<ForeignFile>& info) { return info.param.fault; });

// Copies the first leaf page of index over the second: every page is still
// well formed, but the index no longer matches its table.
void CopyIndexLeafOverItsNeighbour(const std::string& path, const char* index) {
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr));
    sqlite3_stmt* pages = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_prepare_v2(db,
                                            "SELECT pageno, pgsize FROM dbstat WHERE name = ?1 AND"
                                            " pagetype = 'leaf' ORDER BY pageno LIMIT 2",
                                            -1, &pages, nullptr))
        << sqlite3_errmsg(db);
    sqlite3_bind_text(pages, 1, index, -1, SQLITE_STATIC);
    std::vector<std::size_t> offsets;
    std::size_t size = 0;
    while (sqlite3_step(pages) == SQLITE_ROW) {
        size = static_cast<std::size_t>(sqlite3_column_int(pages, 1));
        offsets.push_back((static_cast<std::size_t>(sqlite3_column_int(pages, 0)) - 1) * size);
    }
    sqlite3_finalize(pages);
    sqlite3_close(db);
    ASSERT_EQ(2u, offsets.size());
    std::string bytes = ReadFileBytes(path);
    bytes.replace(offsets[1], size, bytes, offsets[0], size);
    WriteBytes(path, bytes);
}

// SQLite's quick check at open passes such a file, and a delete through the
// damaged index would miss rows: the first write must find the damage and
// write nothing, and check must report it.
TEST(RegistryDamage, AnIndexNoLongerMatchingItsTableIsFoundBeforeTheFirstWrite) {
    TemporaryFolder folder;
    const std::string path = folder.path() + "/registry.sqlite3";
    ASSERT_TRUE(OpenDeviceRegistry(path, LargeSeed(1000)).ok);
    CloseDeviceRegistry();
    CopyIndexLeafOverItsNeighbour(path, "sqlite_autoindex_vals_1");
    const std::string before = ReadFileBytes(path);

    const OpenResult opened = OpenDeviceRegistry(path);
    ASSERT_TRUE(opened.ok) << opened.error;
    EXPECT_EQ(ERROR_REGISTRY_CORRUPT, RegDeleteKey(HKEY_LOCAL_MACHINE, u"Seed"));
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_REGISTRY_CORRUPT,
              RegCreateKeyEx(HKEY_LOCAL_MACHINE, u"New", 0, nullptr, 0, 0, nullptr, &key, nullptr));
    const OpenResult checked = CheckDeviceRegistry();
    EXPECT_FALSE(checked.ok);
    EXPECT_NE(std::string::npos, checked.error.find("damaged")) << checked.error;
    CloseDeviceRegistry();
    EXPECT_TRUE(before == ReadFileBytes(path)) << "the damaged file was written to";
    EXPECT_EQ(1, RunProgram(BRACKWELL_REG_TOOL, {"--registry", path, "check"}).status);
}

// Operations from a .reg file: all applied, or none with the refused line named.
TEST_F(RegistryFile, ApplyOperationsIsAllOrNothing) {
    auto op = [](RegOperation::Kind kind, std::u16string path, std::u16string name, int line) {
        RegOperation o;
        o.kind = kind;
        o.root = HKEY_LOCAL_MACHINE;
        o.path = std::move(path);
        o.name = std::move(name);
        o.type = REG_SZ;
        o.data = {'x', 0, 0, 0};
        o.line = line;
        return o;
    };
    using Kind = RegOperation::Kind;
    std::string error;
    ASSERT_TRUE(ApplyOperations({op(Kind::SetValue, u"App\\Settings", u"v", 1),
                                 op(Kind::DeleteKey, u"Absent\\Key", u"", 2),
                                 op(Kind::DeleteValue, u"App\\Settings", u"absent", 3)},
                                &error))
        << error;

    std::vector<RegOperation> refused{op(Kind::CreateKey, u"New", u"", 4),
                                      op(Kind::DeleteKey, u"App", u"", 5),
                                      op(Kind::SetValue, u"App", std::u16string(256, u'n'), 6)};
    EXPECT_FALSE(ApplyOperations(refused, &error));
    EXPECT_EQ("line 6: the value name is longer than 255 characters", error);
    refused.back() = op(Kind::DeleteKey, u"", u"", 7);
    EXPECT_FALSE(ApplyOperations(refused, &error));
    EXPECT_EQ("line 7: a root key cannot be deleted", error);

    EXPECT_FALSE(Exists(u"New", HKEY_LOCAL_MACHINE));
    HKEY settings = Create(u"App\\Settings", HKEY_LOCAL_MACHINE);
    EXPECT_EQ((Names{u"v"}), ValueNames(settings));
}

}  // namespace
}  // namespace brackwell::registry::testing
