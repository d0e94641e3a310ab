// brackwell-reg, the command-line companion: imports all or nothing, lists a
// key, and checks a file without creating or changing it.

#include <filesystem>
#include <fstream>

#include "tests/registry/helper_process.h"
#include "tests/registry/registry_fixture.h"

namespace brackwell::registry::testing {
namespace {

ProgramRun Tool(const std::vector<std::string>& arguments) {
    return RunProgram(BRACKWELL_REG_TOOL, arguments);
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(BrackwellRegTool, ImportsAllOrNothingAndListsAKey) {
    TemporaryFolder folder;
    const std::string registry = folder.path() + "/registry.sqlite3";
    const std::string good = folder.path() + "/good.reg";
    const std::string bad = folder.path() + "/bad.reg";
    WriteBytes(good, "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\Tool\\Sub]\n"
                     "[HKCU\\Tool]\n@=\"d\"\n\"n\"=dword:0000002a\n\"b\"=hex:01,ff\n"
                     "\"m\"=hex(7):61,00,00,00,62,00,00,00,00,00\n");
    WriteBytes(bad, "REGEDIT4\n[HKCU\\Tool]\n\"n\"=dword:1\n\"x\"=hex:zz\n");
    const std::string listed = "Sub\\\n@ REG_SZ \"d\"\n\"n\" REG_DWORD 0x0000002a (42)\n"
                               "\"b\" REG_BINARY 01 ff\n\"m\" REG_MULTI_SZ \"a\" \"b\"\n";

    EXPECT_EQ(0, Tool({"--registry", registry, "import", good}).status);
    ProgramRun run = Tool({"--registry", registry, "list", "HKCU\\Tool"});
    EXPECT_EQ(0, run.status);
    EXPECT_EQ(listed, run.output);

    EXPECT_EQ(1, Tool({"--registry", registry, "import", bad}).status);
    EXPECT_EQ(listed, Tool({"--registry", registry, "list", "HKCU\\Tool"}).output);
    EXPECT_EQ(1, Tool({"--registry", registry, "list", "HKCU\\Absent"}).status);
}

TEST(BrackwellRegTool, CheckCreatesNothingAndChangesNothing) {
    TemporaryFolder folder;
    const std::string missing = folder.path() + "/missing.sqlite3";
    EXPECT_EQ(1, Tool({"--registry", missing, "check"}).status);
    EXPECT_FALSE(std::filesystem::exists(missing));

    const std::string empty = folder.path() + "/empty.sqlite3";
    WriteBytes(empty, "");
    EXPECT_EQ(1, Tool({"--registry", empty, "check"}).status);
    EXPECT_EQ(0u, std::filesystem::file_size(empty)) << "check seeded an empty file";

    const std::string garbage = folder.path() + "/garbage.sqlite3";
    WriteBytes(garbage, std::string(4096, 'g'));
    EXPECT_EQ(1, Tool({"--registry", garbage, "check"}).status);
    EXPECT_EQ(std::string(4096, 'g'), ReadFileBytes(garbage));

    // list reads only, as check does: it makes no registry either.
    const std::string registry = folder.path() + "/registry.sqlite3";
    EXPECT_EQ(1, Tool({"--registry", registry, "list"}).status);
    EXPECT_FALSE(std::filesystem::exists(registry));
    const std::string emptyReg = folder.path() + "/empty.reg";
    WriteBytes(emptyReg, "REGEDIT4\n");
    ASSERT_EQ(0, Tool({"--registry", registry, "import", emptyReg}).status);
    const ProgramRun run = Tool({"--registry", registry, "check"});
    EXPECT_EQ(0, run.status);
    EXPECT_EQ(registry + ": OK\n", run.output);
}

}  // namespace
}  // namespace brackwell::registry::testing
