// import, export and check through the executable: a branch and the whole
// registry out and back, refusals that name the file and line and change
// nothing, the dry run, and the commands that only read leaving every byte.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>

#include "tests/tools/tool_fixture.h"
#include "tests/tools/tool_run.h"

namespace brackwell::tools::testing {
namespace {

using registry::testing::ReadFileBytes;

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Every file of the folder with its bytes and modification time.
std::string FolderState(const std::string& folder) {
    std::string state;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        state += entry.path().filename().string() + " " +
                 std::to_string(entry.last_write_time().time_since_epoch().count()) + " " +
                 ReadFileBytes(entry.path().string()) + "\n";
    }
    return state;
}

TEST(Exchange, ExportThenImportGivesTheBranchBack) {
    const ToolRegistry registry(kExampleRegistry);
    const std::string before = registry.Dump(HKEY_CURRENT_USER, u"Software");
    const std::string file = registry.folder() + "/software.reg";
    ASSERT_EQ(0, registry.Run({"export", "hkcu\\software", file}).status);
    EXPECT_TRUE(ReadFileBytes(file).starts_with("\xFF\xFEW\0i\0n\0"));
    ASSERT_EQ(0, registry.Run({"delete", "HKCU\\Software", "--force"}).status);
    const ToolRun run = registry.Run({"import", file});
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ(before, registry.Dump(HKEY_CURRENT_USER, u"Software"));
}

// The README's backup and restore: the whole registry out, and later back as it was.
TEST(Exchange, WholeRegistryBackupRestoresExactly) {
    const ToolRegistry registry(kExampleRegistry);
    const std::string before = registry.Dump(HKEY_CURRENT_USER, u"");
    const std::string backup = registry.folder() + "/backup.reg";
    ASSERT_EQ(0, registry.Run({"export", "--all", backup, "--regedit4"}).status);
    ASSERT_EQ(0, registry.Run({"add", "HKLM\\Later", "/v", "x", "/d", "1"}).status);
    ASSERT_EQ(0, registry.Run({"delete", "HKCU\\Software\\Other", "/f"}).status);

    EXPECT_EQ(1, registry.Run({"import", backup, "--replace"}).status) << "replaced without asking";
    const ToolRun run = registry.Run({"import", backup, "--replace", "--force"});
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ(before, registry.Dump(HKEY_CURRENT_USER, u""));
    EXPECT_EQ("<no key Later>", registry.Dump(HKEY_LOCAL_MACHINE, u"Later"));
}

// A pipe from one registry to another: export to standard output, import from standard input.
TEST(Exchange, ExportToStandardOutputImportFromStandardInput) {
    const ToolRegistry registry(kExampleRegistry);
    const ToolRun run = registry.Run({"export", "HKCU\\Software\\Other", "-", "--regedit4"});
    EXPECT_EQ(0, run.status);
    EXPECT_EQ(
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Other]\r\n\"Name\"=\"hello world\"\r\n"
        "\"Size\"=dword:0000000d\r\n\r\n",
        run.out);
    const ToolRegistry other("REGEDIT4\n");
    EXPECT_EQ(1, other.Run({"import", "-", "--replace"}, run.out).status)
        << "the file would answer";
    const ToolRun imported = other.Run({"import", "-"}, run.out);
    EXPECT_EQ(0, imported.status) << imported.err;
    EXPECT_EQ(registry.Dump(HKEY_CURRENT_USER, u"Software\\Other"),
              other.Dump(HKEY_CURRENT_USER, u"Software\\Other"));
}

TEST(Exchange, ExportLeavesAnExistingFileUnlessForcedOrAnswered) {
    const ToolRegistry registry(kExampleRegistry);
    const std::string file = registry.folder() + "/kept.reg";
    WriteFile(file, "precious");
    ToolRun run = registry.Run({"export", "HKCU\\Software", file});
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("precious", ReadFileBytes(file));
    run = registry.Run({"export", "HKCU\\Software\\Absent", file, "/y"});
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("brackwell-reg: ERROR: HKEY_CURRENT_USER\\Software\\Absent: no such key; " + file +
                  " was left as it was\n",
              run.err);
    EXPECT_EQ("precious", ReadFileBytes(file));
    EXPECT_EQ(0, registry.Run({"export", "HKCU\\Software", file, "--force"}).status);
    EXPECT_NE("precious", ReadFileBytes(file));
    std::vector<std::string> others;
    for (const auto& entry : std::filesystem::directory_iterator(registry.folder())) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with("registry")) others.push_back(name);
    }
    EXPECT_EQ(std::vector<std::string>{"kept.reg"}, others) << "a temporary file was left behind";
}

TEST(Exchange, ImportRefusalNamesTheFileAndLineAndChangesNothing) {
    const ToolRegistry registry(kExampleRegistry);
    const std::string before = registry.Dump(HKEY_CURRENT_USER, u"Software");
    const std::string file = registry.folder() + "/bad.reg";
    WriteFile(
        file,
        "REGEDIT4\n[-HKEY_CURRENT_USER\\Software\\Example]\n[HKCU\\Software\\New]\n\"x\"=hex:zz\n");
    const ToolRun run = registry.Run({"import", file});
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("brackwell-reg: ERROR: " + file +
                  ": line 4: unexpected \"z\" in hex data; nothing was imported\n",
              run.err);
    EXPECT_EQ(before, registry.Dump(HKEY_CURRENT_USER, u"Software"));
    EXPECT_EQ(1, registry.Run({"import", registry.folder() + "/absent.reg"}).status);
}

TEST(Exchange, DryRunPrintsEachChangeAndWritesNothing) {
    const ToolRegistry registry(kExampleRegistry);
    const std::string file = registry.folder() + "/changes.reg";
    WriteFile(
        file,
        "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Example]\n\"Size\"=dword:0000000d\n\"Name\"="
        "\"hello world\"\n"
        "\"New\"=\"x\"\n\"Bytes\"=-\n\"Absent\"=-\n[-HKEY_CURRENT_USER\\Software\\Example\\Sub]\n"
        "[HKEY_CURRENT_USER\\Software\\Example\\Sub\\Again]\n[-HKEY_CURRENT_USER\\Software\\Absent]"
        "\n");
    const std::string before = FolderState(registry.folder());
    const ToolRun run = registry.Run({"import", file, "--dry-run"});
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ(
        "change value  HKEY_CURRENT_USER\\Software\\Example    Size    REG_DWORD    0xc ->    "
        "REG_DWORD    0xd\n"
        "add value     HKEY_CURRENT_USER\\Software\\Example    New    REG_SZ    x\n"
        "delete value  HKEY_CURRENT_USER\\Software\\Example    Bytes    REG_BINARY    0102FF\n"
        "delete key    HKEY_CURRENT_USER\\Software\\Example\\Sub    (1 key below it, 1 value in it "
        "and below)\n"
        "create key    HKEY_CURRENT_USER\\Software\\Example\\Sub\n"
        "create key    HKEY_CURRENT_USER\\Software\\Example\\Sub\\Again\n"
        "Importing " +
            file +
            " would create 2 keys, delete 1 key (1 key below, 1 value in and below), "
            "add 1 value, change 1, delete 1, and set 1 value to what it already holds. Nothing "
            "was written.\n",
        run.out);
    EXPECT_EQ(before, FolderState(registry.folder()));
}

// query, compare, export, check and a dry run open the registry for reading
// only: not a byte of it, nor of the files beside it, changes. The file is left
// in write-ahead-log mode, which opening it for writing would convert.
TEST(Exchange, ReadOnlyCommandsChangeNoByte) {
    const ToolRegistry registry(kExampleRegistry);
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(registry.path().c_str(), &db));
    EXPECT_EQ(SQLITE_OK, sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr));
    sqlite3_close(db);
    const std::string exported = registry.folder() + "/../exported-by-read-only-test.reg";
    const std::string changes = registry.folder() + "/../changes-by-read-only-test.reg";
    WriteFile(changes, "REGEDIT4\n[-HKEY_CURRENT_USER\\Software]\n");
    const std::string before = FolderState(registry.folder());
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"query", "HKCU", "/s"},
             {"query", "HKCU", "/f", "hello", "/s"},
             {"compare", "HKCU\\Software\\Example", "HKCU\\Software\\Other", "/s"},
             {"export", "--all", exported, "--force"},
             {"check"},
             {"import", changes, "--dry-run"},
             {"import", changes, "--dry-run", "--replace"}}) {
        const ToolRun run = registry.Run(arguments);
        EXPECT_NE(1, run.status) << arguments[0] << ": " << run.err;
        EXPECT_EQ(before, FolderState(registry.folder())) << arguments[0];
    }
    std::filesystem::remove(exported);
    std::filesystem::remove(changes);
}

TEST(Exchange, CheckCreatesNothingAndChangesNothing) {
    registry::testing::TemporaryFolder folder;
    const std::string missing = folder.path() + "/missing.sqlite3";
    EXPECT_EQ(1, RunTool({"--registry", missing, "check"}).status);
    EXPECT_EQ(1, RunTool({"--registry", missing, "query", "HKCU"}).status);
    EXPECT_FALSE(std::filesystem::exists(missing));

    const std::string empty = folder.path() + "/empty.sqlite3";
    WriteFile(empty, "");
    EXPECT_EQ(1, RunTool({"--registry", empty, "check"}).status);
    EXPECT_EQ(0u, std::filesystem::file_size(empty)) << "check seeded an empty file";

    const std::string garbage = folder.path() + "/garbage.sqlite3";
    WriteFile(garbage, std::string(4096, 'g'));
    EXPECT_EQ(1, RunTool({"--registry", garbage, "check"}).status);
    EXPECT_EQ(std::string(4096, 'g'), ReadFileBytes(garbage));

    const ToolRegistry registry(kExampleRegistry);
    const ToolRun run = registry.Run({"check"});
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ(registry.path() + ": OK\n", run.out);
}

TEST(Exchange, EveryCommandHasItsHelp) {
    for (const char* command :
         {"query", "add", "delete", "copy", "compare", "import", "export", "check"}) {
        for (const char* help : {"--help", "/?"}) {
            const ToolRun run = RunTool({command, help});
            EXPECT_EQ(0, run.status) << command;
            EXPECT_TRUE(run.out.starts_with("usage: brackwell-reg [--registry FILE] " +
                                            std::string(command)))
                << run.out;
            EXPECT_NE(std::string::npos, run.out.find("--registry FILE")) << command;
        }
    }
    EXPECT_EQ(0, RunTool({"--help"}).status);
    EXPECT_EQ(1, RunTool({}).status);
    const ToolRun unknown = RunTool({"list"});
    EXPECT_EQ(1, unknown.status);
    EXPECT_EQ("brackwell-reg: ERROR: unknown command \"list\"; see brackwell-reg --help\n",
              unknown.err);
}

}  // namespace
}  // namespace brackwell::tools::testing
