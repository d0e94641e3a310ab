// add, delete and copy through the executable: what the registry holds
// afterwards, described as the example registry plus a .reg patch, the exit
// status and the error line; without --force and without a terminal to ask
// on, nothing is replaced or deleted.

#include <gtest/gtest.h>

#include "tests/tools/tool_fixture.h"
#include "tests/tools/tool_run.h"

namespace brackwell::tools::testing {
namespace {

struct ChangeCase {
    const char* name;
    std::vector<std::string> arguments;
    int status;
    std::string err;
    std::string patch;  // .reg lines that turn the example registry into the expected one
};

class WriteCommand : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(WriteCommand, LeavesTheRegistryAsThePatchSays) {
    const ToolRegistry registry(kExampleRegistry);
    const ToolRun run = registry.Run(GetParam().arguments);
    EXPECT_EQ(GetParam().status, run.status);
    EXPECT_EQ(GetParam().err, run.err);
    EXPECT_EQ("", run.out);
    const ToolRegistry expected(kExampleRegistry + GetParam().patch);
    EXPECT_EQ(expected.Dump(HKEY_CURRENT_USER, u"Software"),
              registry.Dump(HKEY_CURRENT_USER, u"Software"));
}

const std::string kNobodyToAsk =
    "brackwell-reg: ERROR: standard input is not a terminal, so nobody can answer ";

INSTANTIATE_TEST_SUITE_P(
    Companion, WriteCommand,
    ::testing::Values(
        ChangeCase{"AddCreatesTheKeyAndItsParents",
                   {"add", "HKCU\\Software\\New\\Deep"},
                   0,
                   "",
                   "[HKEY_CURRENT_USER\\Software\\New\\Deep]\n"},
        ChangeCase{"AddSetsANumberTypedInHex",
                   {"add", "HKCU\\Software\\Example", "--value", "Count", "--type", "REG_DWORD",
                    "--data", "0x10"},
                   0,
                   "",
                   "[HKEY_CURRENT_USER\\Software\\Example]\n\"Count\"=dword:00000010\n"},
        ChangeCase{
            "AddSetsAMultiStringWithItsSeparator",
            {"add", "HKCU\\Software\\New", "/v", "L", "/t", "REG_MULTI_SZ", "/d", "x,y", "/s", ","},
            0,
            "",
            "[HKEY_CURRENT_USER\\Software\\New]\n\"L\"=hex(7):78,00,00,00,79,00,00,00,00,00\n"},
        ChangeCase{"AddSetsQwordAndBinaryBytes",
                   {"add", "HKCU\\Software\\New", "/v", "Q", "/t", "REG_QWORD", "/d", "258"},
                   0,
                   "",
                   "[HKEY_CURRENT_USER\\Software\\New]\n\"Q\"=hex(b):02,01,00,00,00,00,00,00\n"},
        ChangeCase{"AddWithDataAndNoNameSetsTheDefaultValue",
                   {"add", "HKCU\\Software\\Other", "/d", "text"},
                   0,
                   "",
                   "[HKEY_CURRENT_USER\\Software\\Other]\n@=\"text\"\n"},
        ChangeCase{"AddDoesNotReplaceWithoutAnAnswer",
                   {"add", "HKCU\\Software\\Example", "/v", "Name", "/d", "x"},
                   1,
                   kNobodyToAsk + "\"Replace the value \"Name\" of "
                                  "HKEY_CURRENT_USER\\Software\\Example\"; give --force to go "
                                  "ahead without asking\n",
                   ""},
        ChangeCase{"AddReplacesWithForce",
                   {"add", "HKCU\\Software\\Example", "/v", "Name", "/d", "x", "/f"},
                   0,
                   "",
                   "[HKEY_CURRENT_USER\\Software\\Example]\n\"Name\"=\"x\"\n"},
        ChangeCase{
            "AddRefusesANumberItCannotRead",
            {"add", "HKCU\\Software\\Example", "/v", "Count", "/t", "REG_DWORD", "/d", "12x"},
            1,
            "brackwell-reg: ERROR: \"12x\" is not a number for REG_DWORD (decimal, or hexadecimal "
            "after "
            "0x)\n",
            ""},
        ChangeCase{"AddRefusesANameLongerThanTheRegistryAllows",
                   {"add", "HKCU\\Software\\Example", "/v", std::string(256, 'n'), "/d", "x"},
                   1,
                   "brackwell-reg: ERROR: HKEY_CURRENT_USER\\Software\\Example: the value name is "
                   "longer than 255 "
                   "characters\n",
                   ""},
        ChangeCase{"DeleteDoesNotDeleteWithoutAnAnswer",
                   {"delete", "HKCU\\Software\\Example"},
                   1,
                   kNobodyToAsk + "\"Permanently delete the key "
                                  "HKEY_CURRENT_USER\\Software\\Example and everything below "
                                  "it\"; give --force to go ahead without asking\n",
                   ""},
        ChangeCase{"DeleteKeyWithEverythingBelow",
                   {"delete", "HKCU\\Software\\Example", "--force"},
                   0,
                   "",
                   "[-HKEY_CURRENT_USER\\Software\\Example]\n"},
        ChangeCase{"DeleteOneValue",
                   {"delete", "HKCU\\Software\\Example", "/v", "size", "/f"},
                   0,
                   "",
                   "[HKEY_CURRENT_USER\\Software\\Example]\n\"Size\"=-\n"},
        ChangeCase{"DeleteEveryValueKeepsTheSubkeys",
                   {"delete", "HKCU\\Software\\Example", "/va", "/f"},
                   0,
                   "",
                   "[HKEY_CURRENT_USER\\Software\\Example]\n@=-\n\"Name\"=-\n\"Size\"=-\n\"Bytes\"="
                   "-\n\"List\"=-\n"
                   "\"Path\"=-\n"},
        ChangeCase{
            "DeleteAMissingValueNamesIt",
            {"delete", "HKCU\\Software\\Example", "/v", "Absent", "/f"},
            1,
            "brackwell-reg: ERROR: no value \"Absent\" in HKEY_CURRENT_USER\\Software\\Example\n",
            ""},
        ChangeCase{
            "DeleteARootIsRefused",
            {"delete", "HKCU", "/f"},
            1,
            "brackwell-reg: ERROR: HKEY_CURRENT_USER is a root key, which cannot be deleted\n",
            ""},
        ChangeCase{
            "CopyRecurseCopiesTheTreeWithItsNames",
            {"copy", "HKCU\\Software\\Example", "HKCU\\Software\\Copy", "/s"},
            0,
            "",
            "[HKEY_CURRENT_USER\\Software\\Copy]\n@=\"default text\"\n\"Name\"=\"hello world\"\n"
            "\"Size\"=dword:0000000c\n\"Bytes\"=hex:01,02,ff\n\"List\"=hex(7):61,00,00,00,62,00,00,"
            "00,00,00\n"
            "\"Path\"=hex(2):25,00,50,00,00,00\n[HKEY_CURRENT_USER\\Software\\Copy\\Sub]\n"
            "\"Server\"=\"files.example\"\n[HKEY_CURRENT_USER\\Software\\Copy\\Sub\\Deeper]\n"},
        ChangeCase{"CopyDoesNotReplaceWithoutAnAnswer",
                   {"copy", "HKCU\\Software\\Example", "HKCU\\Software\\Other"},
                   1,
                   kNobodyToAsk + "\"Replace 2 values that exist in "
                                  "HKEY_CURRENT_USER\\Software\\Other\"; give --force to go "
                                  "ahead without asking\n",
                   ""},
        ChangeCase{"CopyOntoItselfIsRefused",
                   {"copy", "HKCU\\Software\\Example", "hkcu\\software\\EXAMPLE"},
                   1,
                   "brackwell-reg: ERROR: HKEY_CURRENT_USER\\Software\\Example and "
                   "HKEY_CURRENT_USER\\software\\EXAMPLE "
                   "are the same key\n",
                   ""}),
    [](const ::testing::TestParamInfo<ChangeCase>& info) { return info.param.name; });

// On a terminal the question is asked, and only Yes goes ahead.
TEST(WriteCommandOnATerminal, AsksAndOnlyYesGoesAhead) {
    const ToolRegistry registry(kExampleRegistry);
    const std::string before = registry.Dump(HKEY_CURRENT_USER, u"Software");
    const std::vector<std::string> deleteExample{"--registry", registry.path(), "delete",
                                                 "HKCU\\Software\\Example"};
    ToolRun run = RunToolOnTerminal(deleteExample, "no\n");
    EXPECT_EQ(1, run.status);
    EXPECT_EQ(
        "Permanently delete the key HKEY_CURRENT_USER\\Software\\Example and everything below it "
        "(Yes/No)? "
        "brackwell-reg: ERROR: the answer was No; nothing was changed\n",
        run.err);
    EXPECT_EQ(before, registry.Dump(HKEY_CURRENT_USER, u"Software"));

    run = RunToolOnTerminal(deleteExample, "maybe\nYES\n");
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ("<no key Software\\Example>", registry.Dump(HKEY_CURRENT_USER, u"Software\\Example"));
}

}  // namespace
}  // namespace brackwell::tools::testing
