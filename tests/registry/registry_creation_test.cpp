// Creating the registry file: it appears under its name only complete,
// however the creating process ends and however many start at once.

#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <thread>

#include "registry/device_registry.h"
#include "registry/registry.h"
#include "tests/registry/helper_process.h"
#include "tests/registry/registry_fixture.h"

namespace brackwell::registry::testing {
namespace {

bool SeedIsWhole() {
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, u"Seed\\Last", 0, 0, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

TEST(RegistryCreation, AProcessKilledWhileCreatingLeavesNoFileOrAWholeOne) {
    TemporaryFolder folder;
    const std::string seed = folder.path() + "/seed.reg";
    std::ofstream(seed, std::ios::binary) << LargeSeed(1500);
    const std::string path = folder.path() + "/registry.sqlite3";

    // The kills are spread over the time one whole creation takes here.
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(0, RunHelper({"create", path, seed}));
    const auto whole = std::chrono::steady_clock::now() - start;

    constexpr int kRuns = 25;
    int absent = 0;
    for (int run = 0; run < kRuns; ++run) {
        std::filesystem::remove(path);
        HelperProcess creator({"create", path, seed});
        std::this_thread::sleep_for(whole * run / kRuns);
        creator.Kill();
        if (!std::filesystem::exists(path)) {
            ++absent;
            continue;
        }
        const OpenResult opened = OpenDeviceRegistryReadOnly(path);
        ASSERT_TRUE(opened.ok) << "kill " << run << ": " << opened.error;
        EXPECT_TRUE(SeedIsWhole()) << "kill " << run;
        CloseDeviceRegistry();
    }
    std::cout << absent << " of " << kRuns << " kills left no file, the others a whole one\n";

    // The next creation clears what the killed ones left behind.
    std::filesystem::remove(path);
    ASSERT_TRUE(OpenDeviceRegistry(path, "REGEDIT4\n").ok);
    CloseDeviceRegistry();
    for (const std::string& name : FolderListing(folder.path())) {
        EXPECT_EQ(std::string::npos, name.find("-new-")) << name;
    }
}

// Each process opens the absent registry and writes at once: a registry made
// by one must never be replaced by another's, with the first one's writes.
TEST(RegistryCreation, ProcessesCreatingItAtOnceLoseNoWrite) {
    TemporaryFolder folder;
    const std::string path = folder.path() + "/registry.sqlite3";
    constexpr int kEach = 10;
    std::vector<std::unique_ptr<HelperProcess>> writers;
    for (const char* prefix : {"a", "b", "c", "d"}) {
        writers.push_back(std::make_unique<HelperProcess>(
            std::vector<std::string>{"fill", path, "Race", prefix, std::to_string(kEach)}));
    }
    for (auto& writer : writers) EXPECT_EQ(0, writer->Wait());

    ASSERT_TRUE(OpenDeviceRegistryReadOnly(path).ok);
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, u"Race", 0, 0, &key));
    DWORD values = 0;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryInfoKey(key, nullptr, nullptr, nullptr, nullptr, nullptr,
                                             nullptr, &values, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(4u * kEach, values);
    RegCloseKey(key);
    CloseDeviceRegistry();
}

// What an earlier registry of the same name left: the new registry is made
// whole and holds nothing of the old one.
struct Leftover {
    const char* leftover;
    void (*make)(const std::string& path);
};

class EarlierRegistry : public ::testing::TestWithParam<Leftover> {};

TEST_P(EarlierRegistry, LeavesNothingInTheNewOne) {
    TemporaryFolder folder;
    const std::string path = folder.path() + "/registry.sqlite3";
    GetParam().make(path);
    const OpenResult opened = OpenDeviceRegistry(path, "REGEDIT4\n\n[HKEY_CURRENT_USER\\New]\n");
    ASSERT_TRUE(opened.ok) << opened.error;
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, u"New", 0, 0, &key));
    RegCloseKey(key);
    CloseDeviceRegistry();
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr));
    sqlite3_stmt* rows = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_prepare_v2(
                             db, "SELECT (SELECT count(*) FROM keys) + (SELECT count(*) FROM vals)",
                             -1, &rows, nullptr));
    ASSERT_EQ(SQLITE_ROW, sqlite3_step(rows));
    EXPECT_EQ(5, sqlite3_column_int(rows, 0)) << "the new registry holds rows of the old one";
    sqlite3_finalize(rows);
    sqlite3_close(db);
}

INSTANTIATE_TEST_SUITE_P(
    Registry, EarlierRegistry,
    ::testing::Values(
        Leftover{"EmptyFileOfAnOlderVersion",
                 [](const std::string& path) { std::ofstream(path, std::ios::binary).flush(); }},
        // SQLite would play a journal it finds beside the new file into it.
        Leftover{"JournalOfARegistryDeletedAfterACrash",
                 [](const std::string& path) {
                     const std::string old = path + ".old";
                     ASSERT_TRUE(OpenDeviceRegistry(old, LargeSeed(300)).ok);
                     CloseDeviceRegistry();
                     LeaveAsIfCrashed(
                         old, "PRAGMA cache_size=10; BEGIN",
                         "UPDATE keys SET parent = parent; UPDATE vals SET data = data || x'00'",
                         "-journal");
                     std::filesystem::rename(old + "-journal", path + "-journal");
                 }}),
    [](const ::testing::TestParamInfo<Leftover>& info) { return info.param.leftover; });

}  // namespace
}  // namespace brackwell::registry::testing
