// The .reg reader: what each syntax turns into, which faults are refused on which
// line, and (through the store) that an import is all or nothing.

#include "registry/reg_file_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "registry/default_registry_seed.h"
#include "registry/device_registry.h"
#include "registry/reg_text_encoding.h"
#include "registry/registry.h"
#include "tests/registry/registry_fixture.h"

namespace brackwell::registry {
namespace {

const char* RootName(HKEY root) {
    if (root == HKEY_CLASSES_ROOT) return "HKCR";
    if (root == HKEY_CURRENT_USER) return "HKCU";
    if (root == HKEY_LOCAL_MACHINE) return "HKLM";
    if (root == HKEY_USERS) return "HKU";
    return "?";
}

// One line per operation, so a failing comparison shows both sides readably.
std::string Describe(const RegOperation& op) {
    static const char* const kKinds[] = {"create", "delete-key", "set", "delete-value"};
    std::string text = std::string(kKinds[static_cast<int>(op.kind)]) + " " + RootName(op.root) +
                       "\\" + testing::Escaped(op.path);
    if (op.kind == RegOperation::Kind::SetValue || op.kind == RegOperation::Kind::DeleteValue)
        text += " \"" + testing::Escaped(op.name) + "\"";
    if (op.kind == RegOperation::Kind::SetValue) {
        text += " type " + std::to_string(op.type) + ":";
        for (const BYTE b : op.data) {
            char buffer[4];
            std::snprintf(buffer, sizeof buffer, " %02x", b);
            text += buffer;
        }
    }
    return text + " @" + std::to_string(op.line);
}

std::vector<std::string> Parse(const std::string& bytes) {
    const RegParseResult result = ParseRegFile(bytes);
    EXPECT_TRUE(result.ok) << result.error;
    std::vector<std::string> described;
    for (const RegOperation& op : result.operations) described.push_back(Describe(op));
    return described;
}

constexpr const char* kV5 = "Windows Registry Editor Version 5.00\n";
constexpr const char* kV4 = "REGEDIT4\n";

struct AcceptedCase {
    const char* name;
    std::string text;
    std::vector<std::string> operations;
};

class RegFileAccepts : public ::testing::TestWithParam<AcceptedCase> {};

TEST_P(RegFileAccepts, YieldsTheseOperations) {
    EXPECT_EQ(GetParam().operations, Parse(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Syntax, RegFileAccepts,
    ::testing::Values(
        AcceptedCase{
            "LongAndShortRootNamesInAnyCase",
            std::string(kV5) +
                "[HKEY_CLASSES_ROOT\\a]\n[hkcu\\b]\n[HKLM\\c]\n[HKU\\d]\n[HKEY_LOCAL_MACHINE]\n",
            {"create HKCR\\a @2", "create HKCU\\b @3", "create HKLM\\c @4", "create HKU\\d @5",
             "create HKLM\\ @6"}},
        AcceptedCase{"KeyRunsToTheLastBracketAndSkipsEmptyNames",
                     std::string(kV5) + "  [HKLM\\\\a]b\\\\c\\]  \n",
                     {"create HKLM\\a]b\\c @2"}},
        AcceptedCase{"DeleteKeyIgnoresTheValuesBelowIt",
                     std::string(kV5) +
                         "[-HKLM\\Gone\\Sub]\n\"x\"=\"y\"\n\"z\"=-\n[HKLM\\Kept]\n\"x\"=\"y\"\n",
                     {"delete-key HKLM\\Gone\\Sub @2", "create HKLM\\Kept @5",
                      "set HKLM\\Kept \"x\" type 1: 79 00 00 00 @6"}},
        AcceptedCase{
            "NamesWithEscapesEqualsSignAndTheDefaultValue",
            std::string(kV5) + "[HKLM\\k]\n\"a=\\\"b\\\\\"=\"c\"\n@=\"\"\n\"\"=\"d\"\n  \"e\"  =  "
                               "\"\\\\\\\"\"  \n",
            {"create HKLM\\k @2", "set HKLM\\k \"a=\"b\\\" type 1: 63 00 00 00 @3",
             "set HKLM\\k \"\" type 1: 00 00 @4", "set HKLM\\k \"\" type 1: 64 00 00 00 @5",
             "set HKLM\\k \"e\" type 1: 5c 00 22 00 00 00 @6"}},
        AcceptedCase{"CommentsBlankLinesAndDeletedValue",
                     std::string(kV5) + "; note\n\n   # other\n[HKCU\\k]\n\t\n\"gone\"=-\n",
                     {"create HKCU\\k @5", "delete-value HKCU\\k \"gone\" @7"}},
        AcceptedCase{"DwordOfOneToEightDigits",
                     std::string(kV5) +
                         "[HKLM\\k]\n\"a\"=dword:0\n\"b\"=DWORD:fFfFfFfF\n\"c\"=dword:12345678 \n",
                     {"create HKLM\\k @2", "set HKLM\\k \"a\" type 4: 00 00 00 00 @3",
                      "set HKLM\\k \"b\" type 4: ff ff ff ff @4",
                      "set HKLM\\k \"c\" type 4: 78 56 34 12 @5"}},
        AcceptedCase{"HexOfAnyTypeAndEmptyHex",
                     std::string(kV5) +
                         "[HKLM\\k]\n\"a\"=hex:00,Ab , ff\n\"b\"=hex:\n\"c\"=hex(7):\n"
                         "\"d\"=hex(FFFF0001):01\n\"e\"=hex(0):\n",
                     {"create HKLM\\k @2", "set HKLM\\k \"a\" type 3: 00 ab ff @3",
                      "set HKLM\\k \"b\" type 3: @4", "set HKLM\\k \"c\" type 7: @5",
                      "set HKLM\\k \"d\" type 4294901761: 01 @6", "set HKLM\\k \"e\" type 0: @7"}},
        AcceptedCase{"HexContinuedOverLinesIsOneValueOnItsFirstLine",
                     std::string(kV5) + "[HKLM\\k]\n\"a\"=hex:01,02,\\\n    03,\\  "
                                        "\n\t04\n\"b\"=hex(2):\\\n  41,00,00,00\n",
                     {"create HKLM\\k @2", "set HKLM\\k \"a\" type 3: 01 02 03 04 @3",
                      "set HKLM\\k \"b\" type 2: 41 00 00 00 @6"}},
        AcceptedCase{"Version5HexStringsAreKeptAsUtf16",
                     std::string(kV5) + "[HKLM\\k]\n\"m\"=hex(7):61,00,00,00,00,00\n",
                     {"create HKLM\\k @2", "set HKLM\\k \"m\" type 7: 61 00 00 00 00 00 @3"}},
        AcceptedCase{
            "Regedit4HexStringsAreWidenedToUtf16",
            std::string(kV4) +
                "[HKLM\\k]\n\"m\"=hex(7):61,00,62,63,00,00\n\"e\"=hex(2):25,41,25,00\n"
                "\"u\"=hex(1):c3,a9,00\n\"l\"=hex(1):e9,00\n\"b\"=hex(3):e9\n",
            {"create HKLM\\k @2",
             "set HKLM\\k \"m\" type 7: 61 00 00 00 62 00 63 00 00 00 00 00 @3",
             "set HKLM\\k \"e\" type 2: 25 00 41 00 25 00 00 00 @4",
             "set HKLM\\k \"u\" type 1: e9 00 00 00 @5", "set HKLM\\k \"l\" type 1: e9 00 00 00 @6",
             "set HKLM\\k \"b\" type 3: e9 @7"}},
        AcceptedCase{"Utf8TextBecomesUtf16",
                     std::string(kV4) + "[HKCU\\Gr\xC3\xB6\xC3\x9F"
                                        "e]\n\"Caf\xC3\xA9\"=\"\xF0\x9F\x94\x91\"\n",
                     {"create HKCU\\Gr<00F6><00DF>e @2",
                      "set HKCU\\Gr<00F6><00DF>e \"Caf<00E9>\" type 1: 3d d8 11 dd 00 00 @3"}},
        AcceptedCase{
            "CommentAfterAValueOrAContinuationIsIgnored",
            std::string(kV5) +
                "[HKLM\\k]\n\"a\"=\"b\" ;note\n\"n\"=dword:00000001 ;n\n\"h\"=hex:01,02 ;n\n"
                "\"d\"=- ;n\n\"m\"=hex(7):4c,69,\\;n\n  00,00\n\"t\"=\"x\";n\n",
            {"create HKLM\\k @2", "set HKLM\\k \"a\" type 1: 62 00 00 00 @3",
             "set HKLM\\k \"n\" type 4: 01 00 00 00 @4", "set HKLM\\k \"h\" type 3: 01 02 @5",
             "delete-value HKLM\\k \"d\" @6", "set HKLM\\k \"m\" type 7: 4c 69 00 00 @7",
             "set HKLM\\k \"t\" type 1: 78 00 00 00 @9"}},
        AcceptedCase{"BlanksAndTabsAroundNamesEqualsAndDwordDigits",
                     std::string(kV5) + "[HKLM\\k]\n\"a\"=dword:  00000008\n\t@\t=\tdword:\t1\t\n",
                     {"create HKLM\\k @2", "set HKLM\\k \"a\" type 4: 08 00 00 00 @3",
                      "set HKLM\\k \"\" type 4: 01 00 00 00 @4"}},
        AcceptedCase{"BlanksAroundTheHeaderLine",
                     " \tWindows Registry Editor Version 5.00 \n[HKLM\\a]\n",
                     {"create HKLM\\a @2"}},
        AcceptedCase{"BlankBeforeTheClosingBracketBelongsToTheName",
                     std::string(kV5) + "[HKCU\\Software\\Name ]\n[HKCU\\ Lead\\-x]\n",
                     {"create HKCU\\Software\\Name  @2", "create HKCU\\ Lead\\-x @3"}},
        AcceptedCase{
            "CrAndCrLfLineEndsAndUtf8ByteOrderMark",
            "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n[HKLM\\a]\r\r\n\"x\"=dword:1\r",
            {"create HKLM\\a @2", "set HKLM\\a \"x\" type 4: 01 00 00 00 @4"}}),
    [](const ::testing::TestParamInfo<AcceptedCase>& info) { return info.param.name; });

TEST(RegFileEncoding, Utf16LittleEndianWithByteOrderMark) {
    const std::u16string text =
        u"Windows Registry Editor Version 5.00\r\n[HKLM\\\u00c9t\u00e9]\r\n@=\"\u20ac\"\r\n";
    std::string bytes = "\xFF\xFE";
    for (const char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    EXPECT_EQ((std::vector<std::string>{"create HKLM\\<00C9>t<00E9> @2",
                                        "set HKLM\\<00C9>t<00E9> \"\" type 1: ac 20 00 00 @3"}),
              Parse(bytes));
}

// The reader takes the file in chunks: a character, a CR LF pair or a line that
// straddles two chunks must read as if it did not.
TEST(RegFileEncoding, TextAcrossTheReadersChunksReadsTheSame) {
    const std::u16string tail = u"\r\n[HKCU\\Caf\u00e9\\\U0001F511]\r\n\"n\"=hex:01,\\\r\n  02\r\n";
    const std::vector<std::string> expected{
        "create HKCU\\Caf<00E9>\\<D83D><DD11> @3",
        "set HKCU\\Caf<00E9>\\<D83D><DD11> \"n\" type 3: 01 02 @4"};
    for (std::size_t pad = 32750; pad < 32790; ++pad) {
        const std::u16string text = u"REGEDIT4\r\n;" + std::u16string(pad, u'x') + tail;
        std::string utf16 = "\xFF\xFE";
        for (const char16_t c : text) {
            utf16.push_back(static_cast<char>(c & 0xFF));
            utf16.push_back(static_cast<char>(c >> 8));
        }
        EXPECT_EQ(expected, Parse(utf16)) << "UTF-16, pad " << pad;
        const std::u16string longer = u"REGEDIT4\r\n;" + std::u16string(pad + 32747, u'x') + tail;
        EXPECT_EQ(expected, Parse(regfile::Utf16ToUtf8(longer))) << "UTF-8, pad " << pad;
    }
}

struct RefusedCase {
    const char* name;
    std::string text;
    std::string error;  // the whole "line N: reason"
};

class RegFileRefuses : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RegFileRefuses, NamingTheLineAndTheReason) {
    const RegParseResult result = ParseRegFile(GetParam().text);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(GetParam().error, result.error);
}

const std::string kKey = std::string(kV5) + "[HKLM\\k]\n";  // values below start on line 3

INSTANTIATE_TEST_SUITE_P(
    Faults, RegFileRefuses,
    ::testing::Values(
        RefusedCase{"EmptyFile", "",
                    "line 1: not a registry file: the first line must read \"REGEDIT4\" or "
                    "\"Windows Registry Editor Version 5.00\""},
        RefusedCase{"HeaderInOtherCase", "regedit4\n",
                    "line 1: not a registry file: the first line must read \"REGEDIT4\" or "
                    "\"Windows Registry Editor Version 5.00\""},
        RefusedCase{"HeaderAfterBlankLine", "\nREGEDIT4\n",
                    "line 1: not a registry file: the first line must read \"REGEDIT4\" or "
                    "\"Windows Registry Editor Version 5.00\""},
        RefusedCase{"InvalidUtf8", std::string(kV4) + "\n[HKLM\\\xC3(]\n",
                    "line 3: the text is not valid UTF-8"},
        RefusedCase{"OverlongUtf8", std::string(kV4) + "[HKLM\\\xC0\xAF]\n",
                    "line 2: the text is not valid UTF-8"},
        RefusedCase{"NulInsideText",
                    std::string(kV4) + "[HKLM\\a]\n\"x\"=\"a" + std::string(1, '\0') + "b\"\n",
                    "line 3: NUL character in the text"},
        RefusedCase{"OddUtf16Length",
                    std::string("\xFF\xFER\0E\0G\0E\0D\0I\0T\0\x34\0\n\0", 20) + "x",
                    "line 2: the UTF-16 text ends in half a character"},
        RefusedCase{
            "ValueBeforeAnyKey", std::string(kV5) + "\n\"x\"=\"y\"\n",
            "line 3: a value needs a key header such as [HKEY_LOCAL_MACHINE\\Software] before it"},
        RefusedCase{"UnknownRoot", std::string(kV5) + "[HKEY_FOO\\a]\n",
                    "line 2: unknown root key \"HKEY_FOO\""},
        RefusedCase{"MissingRoot", std::string(kV5) + "[\\a]\n", "line 2: missing root key name"},
        RefusedCase{"MissingClosingBracket", std::string(kV5) + "[HKLM\\a\n",
                    "line 2: missing \"]\" at the end of the key"},
        RefusedCase{"TextAfterKey", std::string(kV5) + "[HKLM\\a] x\n",
                    "line 2: unexpected text \"x\" after \"]\""},
        RefusedCase{"BlankAfterTheBracketIsNoKeyLine",
                    std::string(kV5) + "[ HKEY_CURRENT_USER\\Software\\A]\n",
                    "line 2: blank after \"[\": the root key name must follow it directly"},
        RefusedCase{"BlankBeforeTheDashDeletesNothing",
                    std::string(kV5) + "[ -HKEY_CURRENT_USER\\Software\\A]\n",
                    "line 2: blank after \"[\": the root key name must follow it directly"},
        RefusedCase{"BlankAfterTheDashDeletesNothing",
                    std::string(kV5) + "[- HKEY_CURRENT_USER\\Software\\A]\n",
                    "line 2: blank after \"[-\": the root key name must follow it directly"},
        RefusedCase{"TabAfterTheDashDeletesNothing",
                    std::string(kV5) + "[-\tHKEY_CURRENT_USER\\Software\\A]\n",
                    "line 2: blank after \"[-\": the root key name must follow it directly"},
        RefusedCase{"DeletingARoot", std::string(kV5) + "[-HKEY_USERS\\]\n",
                    "line 2: a root key cannot be deleted"},
        RefusedCase{
            "StrayLine", kKey + "junk\n",
            "line 3: unexpected text \"junk\"; expected [key], \"name\"=data, @=data or a comment"},
        RefusedCase{"MissingEquals", kKey + "\"a\" \"b\"\n",
                    "line 3: expected \"=\" after the value name"},
        RefusedCase{"DefaultNameWithText", kKey + "@x=\"b\"\n",
                    "line 3: expected \"=\" after the value name"},
        RefusedCase{"UnterminatedName", kKey + "\"a=1\n",
                    "line 3: missing the closing \" of \"a=1\""},
        RefusedCase{"UnterminatedString", kKey + "\"a\"=\"b\\\"\n",
                    "line 3: missing the closing \" of \"b\"\""},
        RefusedCase{"UnknownEscape", kKey + "\"a\"=\"C:\\Temp\"\n",
                    "line 3: unknown escape \"\\T\" (only \\\\ and \\\" are allowed)"},
        RefusedCase{"TextAfterString", kKey + "\"a\"=\"b\" note\n",
                    "line 3: unexpected text after the closing \""},
        RefusedCase{"MissingData", kKey + "\"a\"=\n", "line 3: missing data after \"=\""},
        RefusedCase{"TextAfterDelete", kKey + "\"a\"=-1\n", "line 3: unexpected text after \"-\""},
        RefusedCase{"UnknownData", kKey + "\"a\"=qword:1\n",
                    "line 3: unknown data \"qword:1\"; expected \"text\", dword:, hex: or -"},
        RefusedCase{"DwordEmpty", kKey + "\"a\"=dword:\n",
                    "line 3: dword needs 1 to 8 hexadecimal digits"},
        RefusedCase{"DwordNineDigits", kKey + "\"a\"=dword:100000000\n",
                    "line 3: dword needs 1 to 8 hexadecimal digits"},
        RefusedCase{"DwordWithPrefix", kKey + "\"a\"=dword:0x1\n",
                    "line 3: dword needs 1 to 8 hexadecimal digits"},
        RefusedCase{"DwordWithSpaceBetweenDigits", kKey + "\"a\"=dword:1 2\n",
                    "line 3: dword needs 1 to 8 hexadecimal digits"},
        RefusedCase{"DwordWithJunk", kKey + "\"a\"=dword:12g\n",
                    "line 3: dword needs 1 to 8 hexadecimal digits"},
        RefusedCase{"HexTypeMissing", kKey + "\"a\"=hex():00\n",
                    "line 3: hex( needs a type of 1 to 8 hexadecimal digits and a \")\""},
        RefusedCase{"HexWithoutColon", kKey + "\"a\"=hex 00\n", "line 3: expected \":\" after hex"},
        RefusedCase{"HexOneDigitByte", kKey + "\"a\"=hex:0,1\n",
                    "line 3: each byte needs two hexadecimal digits"},
        RefusedCase{"HexThreeDigitByte", kKey + "\"a\"=hex:001\n",
                    "line 3: each byte needs two hexadecimal digits"},
        RefusedCase{"HexMissingComma", kKey + "\"a\"=hex:00 01\n",
                    "line 3: expected \",\" between bytes, found \"0\""},
        RefusedCase{"HexStrayCharacter", kKey + "\"a\"=hex:00,x1\n",
                    "line 3: unexpected \"x\" in hex data"},
        RefusedCase{"HexTrailingComma", kKey + "\"a\"=hex:00,\n",
                    "line 3: expected a byte after \",\""},
        RefusedCase{"HexBackslashWithoutComma", kKey + "\"a\"=hex:00\\\n01\n",
                    "line 3: expected \",\" before \"\\\""},
        RefusedCase{"HexTextAfterBackslash", kKey + "\"a\"=hex:00,\\ x\n01\n",
                    "line 3: unexpected text after \"\\\""},
        RefusedCase{"ByteSplitAcrossLines", kKey + "\"a\"=hex:00,0\\\n1\n",
                    "line 3: a byte is split across lines"},
        RefusedCase{"BlankLineAfterBackslash", kKey + "\"a\"=hex:00,\\\n   \n01\n",
                    "line 4: blank line where the hex data should continue"},
        RefusedCase{"LineOfOnlyABackslashBreaksHexData", kKey + "\"a\"=hex:01,\\\n\\\n  02\n",
                    "line 4: a line holding only \"\\\" breaks the hex data"},
        RefusedCase{"KeyAfterBackslash", kKey + "\"a\"=hex:00,\\\n[HKLM\\b]\n",
                    "line 4: key header where the hex data should continue"},
        RefusedCase{"EndOfFileAfterBackslash", kKey + "\"a\"=hex:00,\\",
                    "line 3: the file ends where the hex data should continue"},
        RefusedCase{"FaultOnAContinuationLine", kKey + "\"a\"=hex:00,\\\n  01,\\\n  0g\n",
                    "line 5: each byte needs two hexadecimal digits"},
        // The store's limits count as faults of the file, in line order with the rest.
        RefusedCase{"KeyNameOverTheLimitBeforeBadText",
                    std::string(kV5) + "[HKCU\\" + std::string(256, 'n') + "]\n\"\xC3(\"=\"x\"\n",
                    "line 2: a key name is longer than 255 characters"},
        RefusedCase{"ValueNameOverTheLimit", kKey + "\"" + std::string(256, 'v') + "\"=\"x\"\n",
                    "line 3: the value name is longer than 255 characters"},
        RefusedCase{"FaultUnderADeletedKey", std::string(kV5) + "[-HKLM\\k]\n\"a\"=dword:x\n",
                    "line 3: dword needs 1 to 8 hexadecimal digits"}),
    [](const ::testing::TestParamInfo<RefusedCase>& info) { return info.param.name; });

// Round trips through the store: each test imports into a fresh, empty registry file
// and reads back with the ten calls.
class RegFileImport : public testing::RegistryTest {
protected:
    struct Value {
        DWORD type = 0;
        std::vector<BYTE> data;
        bool operator==(const Value&) const = default;
    };

    static std::optional<Value> Read(HKEY root, const std::u16string& path,
                                     const std::u16string& name) {
        HKEY key = nullptr;
        if (RegOpenKeyEx(root, path.c_str(), 0, 0, &key) != ERROR_SUCCESS) return std::nullopt;
        Value value;
        DWORD size = 0;
        LONG status = RegQueryValueEx(key, name.c_str(), nullptr, &value.type, nullptr, &size);
        if (status == ERROR_SUCCESS) {
            value.data.resize(size + 1);
            status =
                RegQueryValueEx(key, name.c_str(), nullptr, &value.type, value.data.data(), &size);
            value.data.resize(size);
        }
        RegCloseKey(key);
        return status == ERROR_SUCCESS ? std::optional<Value>(value) : std::nullopt;
    }

    static void Import(const std::string& text) {
        const RegImportResult result = ImportRegFile(text);
        ASSERT_TRUE(result.ok) << result.error;
    }
};

TEST_F(RegFileImport, StoresEveryValueTypeAndCreatesMissingParents) {
    Import(std::string(kV5) +
           "[HKLM\\Software\\Deep\\Er\\Est]\n"
           "@=\"default\"\n"
           "\"Text\"=\"a\\\\b\"\n"
           "\"Number\"=dword:ffffffff\n"
           "\"Bytes\"=hex:00,01,02\n"
           "\"Empty\"=hex:\n"
           "\"List\"=hex(7):61,00,00,00,62,00,00,00,00,00\n"
           "\"Expand\"=hex(2):25,00,00,00\n"
           "[HKCU\\Gr\xC3\xB6\xC3\x9F"
           "e]\n"
           "\"Caf\xC3\xA9\"=\"\xE2\x82\xAC\"\n");
    const std::u16string key = u"Software\\Deep\\Er\\Est";
    EXPECT_EQ((Value{REG_SZ, {'d', 0, 'e', 0, 'f', 0, 'a', 0, 'u', 0, 'l', 0, 't', 0, 0, 0}}),
              Read(HKEY_LOCAL_MACHINE, key, u""));
    EXPECT_EQ((Value{REG_SZ, {'a', 0, '\\', 0, 'b', 0, 0, 0}}),
              Read(HKEY_LOCAL_MACHINE, key, u"Text"));
    EXPECT_EQ((Value{REG_DWORD, {0xff, 0xff, 0xff, 0xff}}),
              Read(HKEY_LOCAL_MACHINE, key, u"Number"));
    EXPECT_EQ((Value{REG_BINARY, {0, 1, 2}}), Read(HKEY_LOCAL_MACHINE, key, u"Bytes"));
    EXPECT_EQ((Value{REG_BINARY, {}}), Read(HKEY_LOCAL_MACHINE, key, u"Empty"));
    EXPECT_EQ((Value{REG_MULTI_SZ, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}}),
              Read(HKEY_LOCAL_MACHINE, key, u"List"));
    EXPECT_EQ((Value{REG_EXPAND_SZ, {'%', 0, 0, 0}}), Read(HKEY_LOCAL_MACHINE, key, u"Expand"));
    EXPECT_EQ(std::vector<std::u16string>{u"Deep"},
              SubkeyNames(Create(u"Software", HKEY_LOCAL_MACHINE)));
    EXPECT_EQ((Value{REG_SZ, {0xac, 0x20, 0, 0}}),
              Read(HKEY_CURRENT_USER, u"Gr\u00f6\u00dfe", u"Caf\u00e9"));
}

TEST_F(RegFileImport, DeletesKeysWithTheirSubtreeAndValues) {
    Import(std::string(kV5) +
           "[HKLM\\A\\B\\C]\n\"x\"=dword:1\n[HKLM\\A]\n\"keep\"=dword:2\n\"drop\"=dword:3\n");
    Import(std::string(kV5) +
           "[-HKLM\\A\\B]\n\"ignored\"=dword:4\n[-HKLM\\Absent]\n[HKLM\\A]\n\"drop\"=-\n\"absent\"="
           "-\n");
    EXPECT_FALSE(Exists(u"A\\B", HKEY_LOCAL_MACHINE));
    EXPECT_FALSE(Exists(u"Absent", HKEY_LOCAL_MACHINE));
    EXPECT_EQ((Value{REG_DWORD, {2, 0, 0, 0}}), Read(HKEY_LOCAL_MACHINE, u"A", u"keep"));
    EXPECT_EQ(std::nullopt, Read(HKEY_LOCAL_MACHINE, u"A", u"drop"));
}

TEST_F(RegFileImport, RefusedFileChangesNothing) {
    Import(std::string(kV5) + "[HKLM\\Base]\n\"v\"=dword:1\n");
    const std::string tooLong(300, 'k');
    const std::string malformed =
        std::string(kV5) + "[-HKLM\\Base]\n[HKLM\\New]\n\"v\"=dword:2\n\"w\"=dword:\n";
    const std::string storeRefuses =
        std::string(kV5) + "[-HKLM\\Base]\n[HKLM\\New]\n[HKLM\\" + tooLong + "]\n";
    for (const std::string& text : {malformed, storeRefuses}) {
        const RegImportResult result = ImportRegFile(text);
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.error.starts_with(text == malformed ? "line 5: " : "line 4: "))
            << result.error;
        EXPECT_EQ((Value{REG_DWORD, {1, 0, 0, 0}}), Read(HKEY_LOCAL_MACHINE, u"Base", u"v"));
        EXPECT_FALSE(Exists(u"New", HKEY_LOCAL_MACHINE));
    }
}

TEST_F(RegFileImport, DefaultRegistryImportsIntoEveryRoot) {
    const RegistrySeed seed = ReadDefaultRegistrySeed();
    ASSERT_TRUE(seed.ok) << seed.error;
    Import(seed.text);
    for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS})
        EXPECT_FALSE(SubkeyNames(root).empty());
    EXPECT_EQ((Value{REG_DWORD, {12, 0, 0, 0}}),
              Read(HKEY_CURRENT_USER, u"Software\\Ashvale\\Caf\u00e9", u"Gr\u00f6\u00dfe"));
    EXPECT_EQ((Value{REG_MULTI_SZ, {}}),
              Read(HKEY_CURRENT_USER, u"Preferences\\Owner\\Reserved", u"Identification"));
}

}  // namespace
}  // namespace brackwell::registry
