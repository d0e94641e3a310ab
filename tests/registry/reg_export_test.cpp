// The exporter: files in the platform editor's own layout export back byte for
// byte, export then import gives back every key, value, type and byte of
// generated registries, and what a .reg file cannot carry is refused by name.

#include "registry/reg_export.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "registry/current_registry.h"
#include "registry/device_registry.h"
#include "registry/reg_file_reader.h"
#include "registry/reg_text_encoding.h"
#include "registry/registry_limits.h"
#include "tests/registry/registry_fixture.h"

namespace brackwell::registry::testing {
namespace {

std::string Version5File(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (const BYTE b : regfile::Utf16LeBytes(text)) bytes.push_back(static_cast<char>(b));
    return bytes;
}

std::string Export(HKEY root, const std::u16string& path, RegFileFormat format,
                   RegExportResult* result = nullptr) {
    std::ostringstream out;
    RegExportResult exported = ExportRegistry(root, path, format, out);
    EXPECT_TRUE(exported.ok || result) << exported.error;
    if (result) *result = exported;
    return out.str();
}

struct LayoutCase {
    const char* name;
    RegFileFormat format;
    std::string file;
    HKEY root;
    std::u16string path;
};

class PlatformLayout : public RegistryTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(PlatformLayout, ExportsBackByteForByte) {
    const RegImportResult imported = ImportRegFile(GetParam().file);
    ASSERT_TRUE(imported.ok) << imported.error;
    EXPECT_EQ(GetParam().file, Export(GetParam().root, GetParam().path, GetParam().format));
}

const std::u16string kWorkedExample =
    u"Windows Registry Editor Version 5.00\r\n"
    u"\r\n"
    u"[HKEY_CURRENT_USER\\Software\\Test]\r\n"
    u"\"DWORD\"=dword:00000100\r\n"
    u"\"String\"=\"Your text here...\"\r\n"
    u"\r\n"
    u"[HKEY_CURRENT_USER\\Software\\Test\\Subkey1]\r\n"
    u"\"Binary\"=hex:11,22,33,44\r\n"
    u"\"Undefined hex\"=hex(100):25,50,41,54,48,25,00\r\n"
    u"\r\n"
    u"[HKEY_CURRENT_USER\\Software\\Test\\Subkey2a]\r\n"
    u"\"double\\\"quote\"=\"\\\"Hello, World!\\\"\"\r\n"
    u"\"single'quote\"=dword:00000008\r\n"
    u"\r\n"
    u"[HKEY_CURRENT_USER\\Software\\Test\\Subkey2a\\Subkey2b]\r\n"
    u"@=\"Default value name\"\r\n"
    u"\"Multiple strings\"=hex(7):4c,00,69,00,6e,00,65,00,31,00,00,00,4c,00,69,00,6e,\\\r\n"
    u"  00,65,00,32,00,00,00,4c,00,69,00,6e,00,65,00,33,00,00,00,00,00\r\n"
    u"\r\n"
    u"[HKEY_CURRENT_USER\\Software\\Test\\Subkey3a]\r\n"
    u"\"Backslash\"=\"Use \\\\\\\\ to escape a backslash\"\r\n"
    u"\r\n"
    u"[HKEY_CURRENT_USER\\Software\\Test\\Subkey3a\\Subkey3b]\r\n"
    u"\r\n"
    u"[HKEY_CURRENT_USER\\Software\\Test\\Subkey3a\\Subkey3b\\Subkey3c]\r\n"
    u"\"String expansion\"=hex(2):25,00,48,00,4f,00,4d,00,45,00,25,00,5c,00,25,00,50,\\\r\n"
    u"  00,41,00,54,00,48,00,25,00,00,00\r\n"
    u"\"Zero data type\"=hex(0):56,61,6c,75,65,00\r\n"
    u"\r\n"
    u"[HKEY_CURRENT_USER\\Software\\Test\\Subkey4]\r\n"
    u"@=dword:12345678\r\n"
    u"\"43981\"=hex(abcd):56,61,6c,75,65,00\r\n"
    u"\r\n";

// REGEDIT4 carries the text of string data written as hex as 8-bit text (UTF-8 here).
const std::string kRegedit4Example =
    "REGEDIT4\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Caf\xC3\xA9]\r\n"
    "\"Gr\xC3\xB6\xC3\x9F"
    "e\"=\"\xE2\x82\xAC \xF0\x9F\x94\x91\"\r\n"
    "\"Multiple strings\"=hex(7):4c,69,6e,65,31,00,4c,69,6e,65,32,00,4c,69,6e,65,33,\\\r\n"
    "  00,00\r\n"
    "\"Expand\"=hex(2):25,50,41,54,48,25,00\r\n"
    "\"No terminator\"=hex(1):c3,a9\r\n"
    "\"Number\"=dword:ffffffff\r\n"
    "\r\n";

// Hex wrapping at exactly 80 columns, the empty forms, names at the limit, and
// bytes that the text forms would not give back.
const std::u16string kEdges =
    std::u16string(
        u"Windows Registry Editor Version 5.00\r\n"
        u"\r\n"
        u"[HKEY_LOCAL_MACHINE\\Software\\Edge]\r\n"
        u"\"Bin\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,\\\r\n"
        u"  17,18,19,1a,1b,1c,1d\r\n"
        u"@=\"\"\r\n"
        u"\"empty binary\"=hex:\r\n"
        u"\"none\"=hex(0):\r\n"
        u"\"expand\"=hex(2):\r\n"
        u"\"short dword\"=hex(4):01,02\r\n"
        u"\"empty dword\"=hex(4):\r\n"
        u"\"multi\"=hex(7):\r\n"
        u"\"no terminator\"=hex(1):41,00,42,00\r\n"
        u"\"embedded nul\"=hex(1):41,00,00,00,42,00,00,00\r\n"
        u"\"odd\"=hex(1):41,00,00\r\n"
        u"\"line break\"=hex(1):41,00,0d,00,0a,00,00,00\r\n"
        u"\"big type\"=hex(ffffffff):ff\r\n") +
    u"\"" + std::u16string(255, u'n') + u"\"=hex:01,\\\r\n" +
    u"  02\r\n"
    u"\"\U0001F600 \\\\ \\\"q\\\" ;=@\"=\"text \\\"quoted\\\" \\\\ back \U0001F511\"\r\n"
    u"\r\n"
    u"[HKEY_LOCAL_MACHINE\\Software\\Edge\\Name ]\r\n"
    u"\r\n"
    u"[HKEY_LOCAL_MACHINE\\Software\\Edge\\ -lead]b]\r\n"
    u"\r\n";

INSTANTIATE_TEST_SUITE_P(
    Files, PlatformLayout,
    ::testing::Values(LayoutCase{"WorkedExampleInVersion5", RegFileFormat::Version5,
                                 Version5File(kWorkedExample), HKEY_CURRENT_USER,
                                 u"software\\TEST"},
                      LayoutCase{"Regedit4WithTextOutsideAscii", RegFileFormat::Regedit4,
                                 kRegedit4Example, HKEY_LOCAL_MACHINE, u"Software\\Caf\u00e9"},
                      LayoutCase{"WrappingEmptyFormsAndLimits", RegFileFormat::Version5,
                                 Version5File(kEdges), HKEY_LOCAL_MACHINE, u"Software\\Edge"}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return info.param.name; });

const std::u16string kLoneSurrogate(1, char16_t{0xD800});

// Registries of every shape, built through the ten calls from a seed.
class RandomRegistry {
public:
    RandomRegistry(std::uint32_t seed, RegFileFormat format) : random_(seed), format_(format) {}

    void Fill(HKEY root, std::size_t keys, std::size_t largestData);

private:
    std::size_t Below(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
    }
    std::u16string Name(std::size_t minimum, bool forKey);
    std::vector<BYTE> Data(DWORD type, std::size_t largest);

    std::mt19937 random_;
    RegFileFormat format_;
};

std::u16string RandomRegistry::Name(std::size_t minimum, bool forKey) {
    // Every character a .reg line treats specially, blanks at either end,
    // letters that differ only in case, and text beyond the BMP.
    static const std::u16string kPieces[] = {
        u"a",    u"Z",      u"0",      u"\"",         u"\\",     u"]",
        u"[",    u";",      u"=",      u"@",          u"-",      u" ",
        u"\t",   u"#",      u"\u00fc", u"\u00dc",     u"\u4e2d", u"\U0001F600",
        u"hex:", u"dword:", u"%PATH%", kLoneSurrogate};
    const std::size_t length = Below(8) == 0 ? kMaxValueNameLength : minimum + Below(12);
    std::u16string name;
    while (name.size() < length) {
        std::u16string_view piece = kPieces[Below(std::size(kPieces))];
        if (forKey && piece == u"\\") continue;
        // UTF-8 cannot carry a lone surrogate.
        if (format_ == RegFileFormat::Regedit4 && piece == kLoneSurrogate) continue;
        if (name.size() + piece.size() > length) break;
        name += piece;
    }
    return name.empty() && minimum > 0 ? u"k" : name;
}

std::vector<BYTE> RandomRegistry::Data(DWORD type, std::size_t largest) {
    const bool text = type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
    if (text && (format_ == RegFileFormat::Regedit4 || Below(3) != 0)) {
        // Text with or without its terminator, with NULs and line breaks inside.
        std::u16string units = Name(0, false);
        if (Below(4) == 0) units += std::u16string(1, u'\0') + u"\r\n" + Name(0, false);
        if (Below(4) != 0) units.push_back(u'\0');
        return regfile::Utf16LeBytes(units);
    }
    const std::size_t sizes[] = {0, 1, 2, 3, 4, 5, 8, Below(200), Below(largest + 1), largest};
    std::vector<BYTE> data(sizes[Below(std::size(sizes))]);
    for (BYTE& b : data) b = static_cast<BYTE>(Below(256));
    return data;
}

void RandomRegistry::Fill(HKEY root, std::size_t keys, std::size_t largestData) {
    static const DWORD kTypes[] = {REG_NONE,     REG_SZ, REG_EXPAND_SZ, REG_BINARY, REG_DWORD, 5, 6,
                                   REG_MULTI_SZ, 11,     0x100,         0xabcd,     0xFFFFFFFF};
    std::vector<std::u16string> paths{u""};
    for (std::size_t i = 0; i < keys; ++i) {
        const std::u16string& parent = paths[Below(paths.size())];
        const std::u16string path = (parent.empty() ? u"" : parent + u"\\") + Name(1, true);
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS,
                  RegCreateKeyEx(root, path.c_str(), 0, nullptr, 0, 0, nullptr, &key, nullptr));
        paths.push_back(path);
        for (std::size_t v = Below(5); v > 0; --v) {
            const DWORD type = kTypes[Below(std::size(kTypes))];
            const std::vector<BYTE> data = Data(type, largestData);
            const std::u16string name = Below(6) == 0 ? u"" : Name(0, false);
            ASSERT_EQ(ERROR_SUCCESS, RegSetValueEx(key, name.c_str(), 0, type, data.data(),
                                                   static_cast<DWORD>(data.size())));
        }
        RegCloseKey(key);
    }
}

struct RoundTripCase {
    const char* name;
    RegFileFormat format;
    std::size_t registries;
    std::size_t keys;
    std::size_t largestData;
};

class ExportImportRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

// Export the whole registry, import it into an empty one: the same dump, and
// the import's own export is the same file.
TEST_P(ExportImportRoundTrip, GivesBackEveryKeyValueAndByte) {
    const RoundTripCase& shape = GetParam();
    for (std::uint32_t seed = 1; seed <= shape.registries; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        TemporaryFolder folder;
        ASSERT_TRUE(OpenDeviceRegistry(folder.path() + "/source.sqlite3").ok);
        RandomRegistry random(seed, shape.format);
        // One transaction: a durable commit per call would make this test slow.
        CurrentRegistry()->Write([&] {
            for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
                random.Fill(root, shape.keys, shape.largestData);
            return ERROR_SUCCESS;
        });
        const std::string dump = DumpRegistry();
        const std::string file = Export(nullptr, u"", shape.format);

        ASSERT_TRUE(OpenDeviceRegistry(folder.path() + "/copy.sqlite3").ok);
        const RegImportResult imported = ImportRegFile(file);
        ASSERT_TRUE(imported.ok) << imported.error;
        EXPECT_EQ(dump, DumpRegistry());
        EXPECT_EQ(file, Export(nullptr, u"", shape.format));
        CloseDeviceRegistry();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Generated, ExportImportRoundTrip,
    ::testing::Values(
        RoundTripCase{"AwkwardNamesAndEveryTypeInVersion5", RegFileFormat::Version5, 12, 40, 300},
        RoundTripCase{"AwkwardNamesAndEveryTypeInRegedit4", RegFileFormat::Regedit4, 12, 40, 300},
        RoundTripCase{"DataAtTheOneMebibyteLimit", RegFileFormat::Version5, 1, 6,
                      kMaxValueDataSize}),
    [](const ::testing::TestParamInfo<RoundTripCase>& info) { return info.param.name; });

TEST_F(RegistryTest, ExportOfTheDeepestPathImportsBack) {
    std::u16string path = u"d";
    for (std::size_t depth = 1; depth < kMaxKeyDepth; ++depth) path += u"\\d";
    Create(path);
    const std::string file = Export(HKEY_CURRENT_USER, u"d", RegFileFormat::Version5);
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKey(HKEY_CURRENT_USER, u"d"));
    ASSERT_TRUE(ImportRegFile(file).ok);
    EXPECT_TRUE(Exists(path));
}

struct RefusalCase {
    const char* name;
    RegFileFormat format;
    std::u16string key;  // below HKCU\Export
    std::u16string value;
    DWORD type;
    std::vector<BYTE> data;
    std::string error;
};

class ExportRefuses : public RegistryTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(ExportRefuses, WhatAFileCannotCarryNamingTheKeyAndValue) {
    const RefusalCase& c = GetParam();
    HKEY key = Create(u"Export\\" + c.key);
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueEx(key, c.value.c_str(), 0, c.type, c.data.data(),
                                           static_cast<DWORD>(c.data.size())));
    RegExportResult result;
    Export(HKEY_CURRENT_USER, u"Export", c.format, &result);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(c.error, result.error);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ExportRefuses,
    ::testing::Values(
        RefusalCase{
            "LineBreakInAValueName",
            RegFileFormat::Version5,
            u"k",
            u"a\nb",
            REG_BINARY,
            {},
            "HKEY_CURRENT_USER\\Export\\k: value \"a\nb\": the value name holds a line break, "
            "which a .reg file cannot carry"},
        RefusalCase{
            "LineBreakInAKeyName",
            RegFileFormat::Version5,
            u"a\rb",
            u"v",
            REG_BINARY,
            {},
            "HKEY_CURRENT_USER\\Export\\a\rb: the key path holds a line break, which a .reg "
            "file cannot carry"},
        RefusalCase{
            "LoneSurrogateInRegedit4",
            RegFileFormat::Regedit4,
            u"k",
            kLoneSurrogate,
            REG_BINARY,
            {},
            "HKEY_CURRENT_USER\\Export\\k: value \"\xEF\xBF\xBD\": the value name holds a lone "
            "UTF-16 surrogate, which a REGEDIT4 file (UTF-8) cannot carry"},
        RefusalCase{
            "OddLengthStringInRegedit4",
            RegFileFormat::Regedit4,
            u"k",
            u"s",
            REG_SZ,
            {0x41, 0, 0},
            "HKEY_CURRENT_USER\\Export\\k: value \"s\": the data is not UTF-16 text, which a "
            "REGEDIT4 file cannot carry for its type; export it in the version 5 format"}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return info.param.name; });

TEST_F(RegistryTest, ExportOfAMissingKeyNamesIt) {
    Create(u"Present");
    RegExportResult result;
    Export(HKEY_CURRENT_USER, u"present\\Absent", RegFileFormat::Version5, &result);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ("HKEY_CURRENT_USER\\Present\\Absent: no such key", result.error);
}

}  // namespace
}  // namespace brackwell::registry::testing
