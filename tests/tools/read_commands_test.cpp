// query and compare through the executable: what they print for each way of
// asking, their exit status, and the one error line naming what does not exist.

#include <gtest/gtest.h>

#include "tests/tools/tool_fixture.h"
#include "tests/tools/tool_run.h"

namespace brackwell::tools::testing {
namespace {

struct OutputCase {
    const char* name;
    std::vector<std::string> arguments;
    int status;
    std::string out;
    std::string err;
};

class ReadCommand : public ::testing::TestWithParam<OutputCase> {};

TEST_P(ReadCommand, PrintsAsThePlatformsToolDoes) {
    const ToolRegistry registry(kExampleRegistry);
    const ToolRun run = registry.Run(GetParam().arguments);
    EXPECT_EQ(GetParam().status, run.status);
    EXPECT_EQ(GetParam().out, run.out);
    EXPECT_EQ(GetParam().err, run.err);
}

const std::string kExampleValues =
    "    (Default)    REG_SZ    default text\n"
    "    Name    REG_SZ    hello world\n"
    "    Size    REG_DWORD    0xc\n"
    "    Bytes    REG_BINARY    0102FF\n"
    "    List    REG_MULTI_SZ    a\\0b\n"
    "    Path    REG_EXPAND_SZ    %P\n";

INSTANTIATE_TEST_SUITE_P(
    Companion, ReadCommand,
    ::testing::Values(
        OutputCase{"ValuesThenSubkeys",
                   {"query", "HKCU\\Software\\Example"},
                   0,
                   "\nHKEY_CURRENT_USER\\Software\\Example\n" + kExampleValues +
                       "\nHKEY_CURRENT_USER\\Software\\Example\\Sub\n",
                   ""},
        OutputCase{
            "RecurseGivesEveryKeyBelowWithItsValues",
            {"query", "HKEY_CURRENT_USER\\Software\\Example\\Sub", "--recurse"},
            0,
            "\nHKEY_CURRENT_USER\\Software\\Example\\Sub\n    Server    REG_SZ    files.example\n\n"
            "HKEY_CURRENT_USER\\Software\\Example\\Sub\\Deeper\n\n",
            ""},
        OutputCase{"OneValueWithItsStoredNameBySlashAlias",
                   {"query", "hkcu\\Software\\Example", "/V", "size"},
                   0,
                   "\nHKEY_CURRENT_USER\\Software\\Example\n    Size    REG_DWORD    0xc\n\n",
                   ""},
        OutputCase{
            "DefaultValue",
            {"query", "HKCU\\Software\\Example", "-ve"},
            0,
            "\nHKEY_CURRENT_USER\\Software\\Example\n    (Default)    REG_SZ    default text\n\n",
            ""},
        OutputCase{"ValueInEveryKeyBelow",
                   {"query", "HKCU\\Software", "--value", "Size", "--recurse"},
                   0,
                   "\nHKEY_CURRENT_USER\\Software\\Example\n    Size    REG_DWORD    0xc\n\n"
                   "HKEY_CURRENT_USER\\Software\\Other\n    Size    REG_DWORD    0xd\n\n"
                   "End of search: 2 match(es) found.\n",
                   ""},
        OutputCase{"FindSearchesNamesAndDataBelow",
                   {"query", "HKCU\\Software", "--find", "HELLO", "--recurse"},
                   0,
                   "\nHKEY_CURRENT_USER\\Software\\Example\n    Name    REG_SZ    hello world\n\n"
                   "HKEY_CURRENT_USER\\Software\\Other\n    Name    REG_SZ    hello world\n\n"
                   "End of search: 2 match(es) found.\n",
                   ""},
        OutputCase{
            "FindKeyNamesOnlyWithoutRecurseLooksAtSubkeys",
            {"query", "HKCU\\Software\\Example", "/f", "su", "/k"},
            0,
            "\nHKEY_CURRENT_USER\\Software\\Example\\Sub\n\nEnd of search: 1 match(es) found.\n",
            ""},
        OutputCase{"FindCaseSensitiveAndExact",
                   {"query", "HKCU\\Software", "/f", "0xc", "/d", "/c", "/e", "/s"},
                   0,
                   "\nHKEY_CURRENT_USER\\Software\\Example\n    Size    REG_DWORD    0xc\n\n"
                   "End of search: 1 match(es) found.\n",
                   ""},
        OutputCase{"NothingFoundIsNoFailure",
                   {"query", "HKCU\\Software", "--find", "HELLO", "--case-sensitive", "--recurse"},
                   0,
                   "\nEnd of search: 0 match(es) found.\n",
                   ""},
        OutputCase{
            "TypeFilter",
            {"query", "HKCU\\Software\\Example", "--type", "REG_DWORD,reg_binary"},
            0,
            "\nHKEY_CURRENT_USER\\Software\\Example\n    Size    REG_DWORD    0xc\n"
            "    Bytes    REG_BINARY    0102FF\n\nHKEY_CURRENT_USER\\Software\\Example\\Sub\n",
            ""},
        OutputCase{"MissingKeyIsNamed",
                   {"query", "HKCU\\Software\\Absent"},
                   1,
                   "",
                   "brackwell-reg: ERROR: no key HKEY_CURRENT_USER\\Software\\Absent\n"},
        OutputCase{
            "MissingValueIsNamed",
            {"query", "HKCU\\Software\\Example", "--value", "Absent"},
            1,
            "",
            "brackwell-reg: ERROR: no value \"Absent\" in HKEY_CURRENT_USER\\Software\\Example\n"},
        OutputCase{
            "UnknownTypeIsNamed",
            {"query", "HKCU\\Software\\Example", "/t", "REG_TEXT"},
            1,
            "",
            "brackwell-reg: ERROR: unknown type \"REG_TEXT\"; the types are REG_NONE, REG_SZ, "
            "REG_EXPAND_SZ, REG_BINARY, REG_DWORD, REG_DWORD_BIG_ENDIAN, REG_LINK, REG_MULTI_SZ, "
            "REG_RESOURCE_LIST, REG_FULL_RESOURCE_DESCRIPTOR, REG_RESOURCE_REQUIREMENTS_LIST, "
            "REG_QWORD or a number\n"},
        OutputCase{"UnknownRootIsNamed",
                   {"query", "HKEY_NOWHERE\\Software"},
                   1,
                   "",
                   "brackwell-reg: ERROR: \"HKEY_NOWHERE\\Software\" is no key: unknown root key "
                   "\"HKEY_NOWHERE\"\n"},
        OutputCase{
            "UnknownOption",
            {"query", "HKCU\\Software", "--everything"},
            1,
            "",
            "brackwell-reg: ERROR: unknown option --everything; see brackwell-reg query --help\n"},
        OutputCase{
            "CompareIdenticalKeysExitsZero",
            {"compare", "HKCU\\Software\\Empty", "HKCU\\Software\\Example\\Sub\\Deeper", "/s"},
            0,
            "Result Compared: Identical\n",
            ""},
        OutputCase{
            "CompareDifferentKeysExitsTwo",
            {"compare", "HKCU\\Software\\Example", "HKCU\\Software\\Other"},
            2,
            "< Value: HKEY_CURRENT_USER\\Software\\Example    (Default)    REG_SZ    default text\n"
            "< Value: HKEY_CURRENT_USER\\Software\\Example    Size    REG_DWORD    0xc\n"
            "> Value: HKEY_CURRENT_USER\\Software\\Other    Size    REG_DWORD    0xd\n"
            "< Value: HKEY_CURRENT_USER\\Software\\Example    Bytes    REG_BINARY    0102FF\n"
            "< Value: HKEY_CURRENT_USER\\Software\\Example    List    REG_MULTI_SZ    a\\0b\n"
            "< Value: HKEY_CURRENT_USER\\Software\\Example    Path    REG_EXPAND_SZ    %P\n"
            "< Key: HKEY_CURRENT_USER\\Software\\Example\\Sub\n"
            "Result Compared: Different\n",
            ""},
        OutputCase{
            "CompareOneValueShowingWhatMatches",
            {"compare", "HKCU\\Software\\Example", "HKCU\\Software\\Other", "/v", "name", "/os"},
            0,
            "= Value: HKEY_CURRENT_USER\\Software\\Example    Name    REG_SZ    hello world\n"
            "Result Compared: Identical\n",
            ""},
        OutputCase{"CompareOneValueMissingOnOneSide",
                   {"compare", "HKCU\\Software\\Example\\Sub", "HKCU\\Software\\Example",
                    "--recurse", "--value", "Server"},
                   2,
                   "< Value: HKEY_CURRENT_USER\\Software\\Example\\Sub    Server    REG_SZ    "
                   "files.example\n"
                   "Result Compared: Different\n",
                   ""},
        OutputCase{"CompareWithAMissingKeyFails",
                   {"compare", "HKCU\\Software\\Example", "HKCU\\Software\\Absent"},
                   1,
                   "",
                   "brackwell-reg: ERROR: no key HKEY_CURRENT_USER\\Software\\Absent\n"}),
    [](const ::testing::TestParamInfo<OutputCase>& info) { return info.param.name; });

}  // namespace
}  // namespace brackwell::tools::testing
