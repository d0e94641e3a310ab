// The ten calls: what the program relies on, and the platform behaviour around it.

#include <array>
#include <cstring>

#include "registry/device_registry.h"
#include "registry/registry.h"
#include "tests/registry/registry_fixture.h"

namespace brackwell::registry::testing {
namespace {

using Names = std::vector<std::u16string>;

class RegistryCalls : public RegistryTest {};

TEST_F(RegistryCalls, CreateReportsNewThenExistingAndMakesIntermediateKeys) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyEx(HKEY_LOCAL_MACHINE, u"A\\B\\C", 0, nullptr, 0, 0, nullptr,
                                            &key, &disposition));
    EXPECT_EQ(REG_CREATED_NEW_KEY, disposition);
    RegCloseKey(key);
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyEx(HKEY_LOCAL_MACHINE, u"A\\B\\C", 0, nullptr, 0, 0, nullptr,
                                            &key, &disposition));
    EXPECT_EQ(REG_OPENED_EXISTING_KEY, disposition);
    RegCloseKey(key);
    // Only the last key's disposition counts: A and B stood, D is new.
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyEx(HKEY_LOCAL_MACHINE, u"A\\B\\D", 0, nullptr, 0, 0, nullptr,
                                            &key, &disposition));
    EXPECT_EQ(REG_CREATED_NEW_KEY, disposition);
    RegCloseKey(key);
    EXPECT_TRUE(Exists(u"A\\B", HKEY_LOCAL_MACHINE));
    EXPECT_FALSE(Exists(u"A", HKEY_CURRENT_USER));  // roots are separate trees
}

TEST_F(RegistryCalls, EmptyPathComponentsResolveToTheKeyBefore) {
    Create(u"Software\\Apps");
    for (const char16_t* path : {u"\\Software\\Apps", u"Software\\\\Apps", u"Software\\Apps\\",
                                 u"\\\\Software\\Apps\\\\"}) {
        HKEY key = nullptr;
        DWORD disposition = 0;
        EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyEx(HKEY_CURRENT_USER, path, 0, nullptr, 0, 0, nullptr,
                                                &key, &disposition));
        EXPECT_EQ(REG_OPENED_EXISTING_KEY, disposition) << Narrow(path);
        RegCloseKey(key);
        EXPECT_TRUE(Exists(path)) << Narrow(path);
    }
    HKEY software = Create(u"Software");
    EXPECT_EQ((Names{u"Apps"}), SubkeyNames(software));
    // No path at all opens the key itself.
    for (const char16_t* path : {static_cast<const char16_t*>(nullptr), u"", u"\\", u"\\\\"}) {
        HKEY same = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(software, path, 0, 0, &same));
        EXPECT_EQ((Names{u"Apps"}), SubkeyNames(same)) << (path ? Narrow(path) : "null");
        RegCloseKey(same);
    }
}

TEST_F(RegistryCalls, OpenRelativeToAnOpenKeyAndFailForMissing) {
    HKEY software = Create(u"Software");
    Create(u"Software\\Apps\\Mail");
    HKEY mail = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(software, u"Apps\\Mail", 0, 0, &mail));
    SetString(mail, u"Server", u"imap");
    RegCloseKey(mail);
    EXPECT_EQ(u"imap", GetString(Create(u"Software\\Apps\\Mail"), u"Server"));
    HKEY missing = nullptr;
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyEx(software, u"Apps\\News", 0, 0, &missing));
    EXPECT_EQ(nullptr, missing);
}

TEST_F(RegistryCalls, NamesMatchWithoutCaseAndKeepTheirCase) {
    HKEY key = Create(u"Straße\\Ωmega\\𐐨x");  // 𐐨 is a surrogate pair whose capital is 𐐀
    SetString(key, u"ÉtéValue", u"1");
    EXPECT_FALSE(Exists(u"STRASSE"));  // simple mapping: ß does not become SS
    EXPECT_TRUE(Exists(u"STRAßE\\ωMEGA\\𐐀X"));
    EXPECT_EQ(u"1", GetString(key, u"étévalue"));

    HKEY again = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyEx(HKEY_CURRENT_USER, u"strasse", 0, nullptr, 0, 0, nullptr,
                                            &again, &disposition));
    EXPECT_EQ(REG_CREATED_NEW_KEY, disposition);
    RegCloseKey(again);
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyEx(HKEY_CURRENT_USER, u"STRAßE", 0, nullptr, 0, 0, nullptr,
                                            &again, &disposition));
    EXPECT_EQ(REG_OPENED_EXISTING_KEY, disposition);
    RegCloseKey(again);

    // Setting through another case replaces the value and keeps its first name.
    SetString(key, u"ÉTÉVALUE", u"2");
    EXPECT_EQ((Names{u"ÉtéValue"}), ValueNames(key));
    EXPECT_EQ(u"2", GetString(key, u"ÉtéValue"));
    EXPECT_EQ((Names{u"Straße", u"strasse"}), SubkeyNames(HKEY_CURRENT_USER));
}

TEST_F(RegistryCalls, EnumerationIsInCreationOrderAndFailsAfterTheLast) {
    HKEY key = Create(u"Order");
    for (const char16_t* name : {u"zeta", u"Alpha", u"mid"}) {
        Create(std::u16string(u"Order\\") + name);
        SetString(key, name, u"x");
    }
    EXPECT_EQ((Names{u"zeta", u"Alpha", u"mid"}), SubkeyNames(key));
    EXPECT_EQ((Names{u"zeta", u"Alpha", u"mid"}), ValueNames(key));
    // Replacing a value keeps its place.
    SetString(key, u"zeta", u"changed");
    EXPECT_EQ((Names{u"zeta", u"Alpha", u"mid"}), ValueNames(key));
}

// Keys made level by level under parents taken in turn lie scattered in creation
// order; a file opened afresh lays them out in tree order, which must change
// neither what is enumerated nor where a key made afterwards goes.
TEST_F(RegistryCalls, AReopenedFileEnumeratesAsItWasWrittenAndTakesNewKeysLast) {
    const std::u16string top[] = {u"T\\b", u"T\\a", u"T\\c"};
    for (int level = 0; level < 3; ++level) {
        for (int turn = 0; turn < 3; ++turn) {
            std::u16string path = top[turn];
            for (int i = 0; i < level; ++i) path += u"\\k" + std::u16string(1, u'0' + i);
            SetString(Create(path + u"\\k" + std::u16string(1, u'0' + level)), u"v", path);
        }
    }
    SetString(Create(u"T\\a\\z"), u"v", u"last");
    const std::string written = DumpTree(HKEY_CURRENT_USER, u"T");
    for (HKEY key : opened_) RegCloseKey(key);
    opened_.clear();
    CloseDeviceRegistry();
    ASSERT_TRUE(OpenDeviceRegistry(RegistryPath()).ok);

    EXPECT_EQ(written, DumpTree(HKEY_CURRENT_USER, u"T"));
    EXPECT_EQ((Names{u"b", u"a", u"c"}), SubkeyNames(Create(u"T")));
    Create(u"T\\a\\new");
    EXPECT_EQ((Names{u"k0", u"z", u"new"}), SubkeyNames(Create(u"T\\a")));
    EXPECT_EQ(u"T\\c\\k0\\k1", GetString(Create(u"T\\c\\k0\\k1\\k2"), u"v"));
}

TEST_F(RegistryCalls, QueryValueGivesSizeThenTypeAndData) {
    HKEY key = Create(u"Values");
    const DWORD number = 0x12345678;
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueEx(key, u"Number", 0, REG_DWORD,
                                           reinterpret_cast<const BYTE*>(&number), 4));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueEx(key, nullptr, 0, REG_BINARY, nullptr, 0));

    DWORD size = 0;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueEx(key, u"number", nullptr, nullptr, nullptr, &size));
    EXPECT_EQ(4u, size);
    DWORD type = REG_NONE;
    DWORD read = 0;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueEx(key, u"Number", nullptr, &type,
                                             reinterpret_cast<BYTE*>(&read), &size));
    EXPECT_EQ(REG_DWORD, type);
    EXPECT_EQ(number, read);

    // The default value (empty name) is an ordinary value, here of no bytes.
    size = 99;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueEx(key, u"", nullptr, &type, nullptr, &size));
    EXPECT_EQ(REG_BINARY, type);
    EXPECT_EQ(0u, size);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueEx(key, u"Missing", nullptr, nullptr, nullptr, &size));
}

TEST_F(RegistryCalls, QueryInfoGivesTheLargestDataAndTheCounts) {
    HKEY key = Create(u"Info");
    Create(u"Info\\Short");
    Create(u"Info\\LongerName");
    SetString(key, u"a", u"12345");                 // 12 bytes
    SetString(key, u"LongestName", u"1");           // 4 bytes
    const std::vector<BYTE> blob(700, 0xAB);
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueEx(key, u"b", 0, REG_BINARY, blob.data(), 700));
    DWORD subKeys = 0, maxSubKey = 0, values = 0, maxValueName = 0, maxData = 0;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryInfoKey(key, nullptr, nullptr, nullptr, &subKeys, &maxSubKey,
                                             nullptr, &values, &maxValueName, &maxData, nullptr,
                                             nullptr));
    EXPECT_EQ(2u, subKeys);
    EXPECT_EQ(10u, maxSubKey);
    EXPECT_EQ(3u, values);
    EXPECT_EQ(11u, maxValueName);
    EXPECT_EQ(700u, maxData);
    // Only the largest data size, as the program asks it.
    maxData = 0;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryInfoKey(Create(u"Info\\Short"), nullptr, nullptr, nullptr, nullptr,
                                             nullptr, nullptr, nullptr, nullptr, &maxData, nullptr,
                                             nullptr));
    EXPECT_EQ(0u, maxData);
}

TEST_F(RegistryCalls, EnumerationKeepsItsOrderWhileTheKeyChanges) {
    HKEY key = Create(u"Live");
    for (const char16_t* name : {u"k0", u"k1", u"k2", u"k3"}) {
        Create(std::u16string(u"Live\\") + name);
        SetString(key, name, name);
    }
    WCHAR name[1024];
    DWORD length = 1024;
    ASSERT_EQ(ERROR_SUCCESS, RegEnumKeyEx(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr));
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKey(key, u"k1"));
    Create(u"Live\\k4");
    Names seen{name};
    for (DWORD i = 1;; ++i) {
        length = 1024;
        if (RegEnumKeyEx(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        seen.emplace_back(name);
    }
    EXPECT_EQ((Names{u"k0", u"k1", u"k2", u"k3"}), seen);
    // A new enumeration from index 0 sees the key as it is now.
    EXPECT_EQ((Names{u"k0", u"k2", u"k3", u"k4"}), SubkeyNames(key));

    DWORD type = 0, size = 16;
    BYTE data[16];
    length = 1024;
    ASSERT_EQ(ERROR_SUCCESS, RegEnumValue(key, 0, name, &length, nullptr, &type, data, &size));
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteValue(key, u"k0"));
    SetString(key, u"k1", u"new");
    length = 1024;
    size = 16;
    ASSERT_EQ(ERROR_SUCCESS, RegEnumValue(key, 1, name, &length, nullptr, &type, data, &size));
    EXPECT_EQ(u"k1", std::u16string(name));
    EXPECT_EQ(0, std::memcmp(data, u"k1", 6));  // the data as it was when the enumeration began
    EXPECT_EQ((Names{u"k1", u"k2", u"k3"}), ValueNames(key));
}

TEST_F(RegistryCalls, DeleteKeyRemovesEverythingBelowAndRefusesARoot) {
    HKEY tree = Create(u"Tree\\Branch\\Leaf");
    SetString(tree, u"v", u"x");
    Create(u"Tree\\Sibling");
    Create(u"Trees");
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKey(HKEY_CURRENT_USER, u"TREE\\branch"));
    EXPECT_FALSE(Exists(u"Tree\\Branch\\Leaf"));
    EXPECT_FALSE(Exists(u"Tree\\Branch"));
    EXPECT_TRUE(Exists(u"Tree\\Sibling"));
    EXPECT_NE(ERROR_SUCCESS, RegDeleteKey(HKEY_CURRENT_USER, u"Tree\\Branch"));

    // Re-creating the deleted path starts empty.
    HKEY reborn = Create(u"Tree\\Branch\\Leaf");
    EXPECT_TRUE(ValueNames(reborn).empty());

    EXPECT_NE(ERROR_SUCCESS, RegDeleteKey(HKEY_CURRENT_USER, u""));
    EXPECT_NE(ERROR_SUCCESS, RegDeleteKey(HKEY_CURRENT_USER, nullptr));
    EXPECT_NE(ERROR_SUCCESS, RegDeleteKey(HKEY_CURRENT_USER, u"\\"));
    EXPECT_EQ((Names{u"Tree", u"Trees"}), SubkeyNames(HKEY_CURRENT_USER));
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKey(HKEY_CURRENT_USER, u"Tree"));
    EXPECT_EQ((Names{u"Trees"}), SubkeyNames(HKEY_CURRENT_USER));
}

TEST_F(RegistryCalls, AHandleOutlivingItsKeyFailsCleanly) {
    HKEY key = Create(u"Doomed\\Child");
    SetString(key, u"v", u"x");
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKey(HKEY_CURRENT_USER, u"Doomed"));
    Create(u"Doomed\\Child");  // a new key of the same name is not the old one

    WCHAR name[16];
    DWORD length = 16, size = 16, disposition = 0;
    BYTE data[16];
    HKEY sub = nullptr;
    EXPECT_EQ(ERROR_KEY_DELETED, RegQueryValueEx(key, u"v", nullptr, nullptr, data, &size));
    EXPECT_EQ(ERROR_KEY_DELETED, RegSetValueEx(key, u"w", 0, REG_BINARY, data, 1));
    EXPECT_EQ(ERROR_KEY_DELETED, RegEnumValue(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(ERROR_KEY_DELETED, RegEnumKeyEx(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(ERROR_KEY_DELETED, RegCreateKeyEx(key, u"x", 0, nullptr, 0, 0, nullptr, &sub, &disposition));
    EXPECT_EQ(ERROR_KEY_DELETED, RegDeleteValue(key, u"v"));
    EXPECT_EQ(ERROR_KEY_DELETED, RegQueryInfoKey(key, nullptr, nullptr, nullptr, nullptr, nullptr,
                                                 nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
    EXPECT_TRUE(ValueNames(Create(u"Doomed\\Child")).empty());
}

TEST_F(RegistryCalls, BadHandlesAndNullPointersGetAnErrorCode) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyEx(HKEY_CURRENT_USER, u"K", 0, nullptr, 0, 0, nullptr, &key,
                                            nullptr));
    ASSERT_EQ(ERROR_SUCCESS, RegCloseKey(key));
    const HKEY closed = key;
    const HKEY garbage = reinterpret_cast<HKEY>(DWORD_PTR{0xDEADBEEF});
    const HKEY bogusRoot = reinterpret_cast<HKEY>(DWORD_PTR{0x80000004});
    WCHAR name[16];
    DWORD length = 16, size = 4;
    BYTE data[4] = {};
    HKEY out = nullptr;
    for (HKEY bad : {closed, garbage, bogusRoot, HKEY{}}) {
        EXPECT_EQ(ERROR_INVALID_HANDLE, RegOpenKeyEx(bad, u"", 0, 0, &out));
        EXPECT_EQ(ERROR_INVALID_HANDLE, RegCreateKeyEx(bad, u"x", 0, nullptr, 0, 0, nullptr, &out, nullptr));
        EXPECT_EQ(ERROR_INVALID_HANDLE, RegEnumKeyEx(bad, 0, name, &length, nullptr, nullptr, nullptr, nullptr));
        EXPECT_EQ(ERROR_INVALID_HANDLE, RegEnumValue(bad, 0, name, &length, nullptr, nullptr, nullptr, nullptr));
        EXPECT_EQ(ERROR_INVALID_HANDLE, RegQueryInfoKey(bad, nullptr, nullptr, nullptr, nullptr, nullptr,
                                                        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
        EXPECT_EQ(ERROR_INVALID_HANDLE, RegQueryValueEx(bad, u"", nullptr, nullptr, nullptr, &size));
        EXPECT_EQ(ERROR_INVALID_HANDLE, RegSetValueEx(bad, u"v", 0, REG_BINARY, data, 4));
        EXPECT_EQ(ERROR_INVALID_HANDLE, RegDeleteKey(bad, u"K"));
        EXPECT_EQ(ERROR_INVALID_HANDLE, RegDeleteValue(bad, u"v"));
        EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(bad));
    }
    EXPECT_EQ(nullptr, out);

    EXPECT_EQ(ERROR_INVALID_PARAMETER, RegOpenKeyEx(HKEY_CURRENT_USER, u"K", 0, 0, nullptr));
    EXPECT_EQ(ERROR_INVALID_PARAMETER,
              RegCreateKeyEx(HKEY_CURRENT_USER, u"New", 0, nullptr, 0, 0, nullptr, nullptr, nullptr));
    EXPECT_FALSE(Exists(u"New"));
    EXPECT_EQ(ERROR_INVALID_PARAMETER,
              RegEnumKeyEx(HKEY_CURRENT_USER, 0, nullptr, &length, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(ERROR_INVALID_PARAMETER,
              RegEnumKeyEx(HKEY_CURRENT_USER, 0, name, nullptr, nullptr, nullptr, nullptr, nullptr));
    HKEY k = Create(u"K");
    SetString(k, u"v", u"x");
    EXPECT_EQ(ERROR_INVALID_PARAMETER, RegEnumValue(k, 0, name, nullptr, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, RegEnumValue(k, 0, name, &length, nullptr, nullptr, data, nullptr));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, RegQueryValueEx(k, u"v", nullptr, nullptr, data, nullptr));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, RegSetValueEx(k, u"w", 0, REG_BINARY, nullptr, 4));
    EXPECT_EQ((Names{u"v"}), ValueNames(k));

    // Roots stay usable after being "closed".
    EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(HKEY_CURRENT_USER));
    EXPECT_TRUE(Exists(u"K"));
}

TEST_F(RegistryCalls, HandleValuesAreNeverReused) {
    std::vector<HKEY> seen;
    for (int i = 0; i < 50; ++i) {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyEx(HKEY_USERS, u"H", 0, nullptr, 0, 0, nullptr, &key, nullptr));
        EXPECT_EQ(seen.end(), std::find(seen.begin(), seen.end(), key));
        seen.push_back(key);
        RegCloseKey(key);
    }
}

// A handle closed in the middle of its enumerations leaves nothing behind for
// the handles opened after it.
TEST_F(RegistryCalls, AnEnumerationEndsWithItsHandle) {
    HKEY full = Create(u"Full\\One");
    RegCloseKey(full);
    full = Create(u"Full");
    Create(u"Full\\Two");
    SetString(full, u"a", u"1");
    SetString(full, u"b", u"2");
    HKEY empty = Create(u"Empty");
    RegCloseKey(empty);
    WCHAR name[16];
    DWORD length = 16;
    ASSERT_EQ(ERROR_SUCCESS, RegEnumKeyEx(full, 0, name, &length, nullptr, nullptr, nullptr, nullptr));
    length = 16;
    ASSERT_EQ(ERROR_SUCCESS, RegEnumValue(full, 0, name, &length, nullptr, nullptr, nullptr, nullptr));
    ASSERT_EQ(ERROR_SUCCESS, RegCloseKey(full));
    length = 16;
    EXPECT_EQ(ERROR_INVALID_HANDLE,
              RegEnumKeyEx(full, 1, name, &length, nullptr, nullptr, nullptr, nullptr));

    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, u"Empty", 0, 0, &empty));
    length = 16;
    EXPECT_EQ(ERROR_NO_MORE_ITEMS,
              RegEnumKeyEx(empty, 1, name, &length, nullptr, nullptr, nullptr, nullptr));
    length = 16;
    EXPECT_EQ(ERROR_NO_MORE_ITEMS,
              RegEnumValue(empty, 1, name, &length, nullptr, nullptr, nullptr, nullptr));
    RegCloseKey(empty);
}

// Buffers that are one short must fail without writing past them; exact fits succeed.
struct BufferCase {
    const char* fault;
    std::size_t nameLength;
    DWORD nameBuffer;  // characters offered
    std::size_t dataSize;
    DWORD dataBuffer;  // bytes offered
};

class BufferBoundaries : public RegistryTest, public ::testing::WithParamInterface<BufferCase> {};

TEST_P(BufferBoundaries, EnumerationAndQueryHonourTheGivenLengths) {
    const BufferCase& c = GetParam();
    const bool nameFits = c.nameLength < c.nameBuffer;
    const bool dataFits = c.dataSize <= c.dataBuffer;
    HKEY key = Create(u"Buffers");
    const std::u16string name(c.nameLength, u'n');
    Create(u"Buffers\\" + name);
    const std::vector<BYTE> data(c.dataSize, 0x5A);
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueEx(key, name.c_str(), 0, REG_BINARY, data.data(),
                                           static_cast<DWORD>(data.size())));

    std::vector<WCHAR> nameOut(1100, u'#');
    std::vector<BYTE> dataOut(2100, 0xEE);
    DWORD nameLength = c.nameBuffer;
    LONG rc = RegEnumKeyEx(key, 0, nameOut.data(), &nameLength, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(nameFits ? ERROR_SUCCESS : ERROR_MORE_DATA, rc);
    EXPECT_EQ(nameFits ? c.nameLength : c.nameBuffer, nameLength);
    if (nameFits) {
        EXPECT_EQ(u'\0', nameOut[c.nameLength]);
    }
    EXPECT_EQ(u'#', nameOut[c.nameBuffer]) << "wrote past the name buffer";

    std::fill(nameOut.begin(), nameOut.end(), u'#');
    nameLength = c.nameBuffer;
    DWORD dataSize = c.dataBuffer;
    rc = RegEnumValue(key, 0, nameOut.data(), &nameLength, nullptr, nullptr, dataOut.data(), &dataSize);
    EXPECT_EQ(nameFits && dataFits ? ERROR_SUCCESS : ERROR_MORE_DATA, rc);
    EXPECT_EQ(u'#', nameOut[c.nameBuffer]) << "wrote past the name buffer";
    EXPECT_EQ(0xEE, dataOut[c.dataBuffer]) << "wrote past the data buffer";
    if (rc == ERROR_SUCCESS) {
        EXPECT_EQ(c.nameLength, nameLength);
        EXPECT_EQ(c.dataSize, dataSize);
        if (c.dataSize > 0) {
            EXPECT_EQ(0x5A, dataOut[c.dataSize - 1]);
        }
    }

    dataSize = c.dataBuffer;
    rc = RegQueryValueEx(key, name.c_str(), nullptr, nullptr, dataOut.data(), &dataSize);
    EXPECT_EQ(dataFits ? ERROR_SUCCESS : ERROR_MORE_DATA, rc);
    EXPECT_EQ(c.dataSize, dataSize) << "the size is reported either way";
}

INSTANTIATE_TEST_SUITE_P(
    Registry, BufferBoundaries,
    ::testing::Values(BufferCase{"NameFillsBufferWithTerminator", 255, 256, 1024, 1024},
                      BufferCase{"NameLeavesNoRoomForTerminator", 255, 255, 1024, 1024},
                      BufferCase{"NameInTheProgramsBuffer", 255, 1024, 2048, 2048},
                      BufferCase{"DataOneByteOver", 10, 1024, 1025, 1024},
                      BufferCase{"EmptyDataInEmptyBuffer", 1, 2, 0, 0}),
    [](const ::testing::TestParamInfo<BufferCase>& info) { return info.param.fault; });

TEST_F(RegistryCalls, LimitsAreEnforcedAndAFailedCallChangesNothing) {
    const std::u16string longest(255, u'k');
    const std::u16string tooLong(256, u'k');
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_SUCCESS,
              RegCreateKeyEx(HKEY_CURRENT_USER, longest.c_str(), 0, nullptr, 0, 0, nullptr, &key, nullptr));
    RegCloseKey(key);
    EXPECT_NE(ERROR_SUCCESS, RegCreateKeyEx(HKEY_CURRENT_USER, (u"Parent\\" + tooLong).c_str(), 0,
                                            nullptr, 0, 0, nullptr, &key, nullptr));
    EXPECT_FALSE(Exists(u"Parent")) << "a refused create left its intermediate key behind";

    HKEY values = Create(u"Values");
    const std::vector<BYTE> mebibyte(1024 * 1024, 1);
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueEx(values, longest.c_str(), 0, REG_BINARY, mebibyte.data(),
                                           static_cast<DWORD>(mebibyte.size())));
    EXPECT_NE(ERROR_SUCCESS, RegSetValueEx(values, tooLong.c_str(), 0, REG_BINARY, mebibyte.data(), 1));
    const std::vector<BYTE> tooBig(1024 * 1024 + 1, 1);
    EXPECT_NE(ERROR_SUCCESS, RegSetValueEx(values, u"big", 0, REG_BINARY, tooBig.data(),
                                           static_cast<DWORD>(tooBig.size())));
    EXPECT_EQ((Names{longest}), ValueNames(values));

    std::u16string deep;
    for (int depth = 1; depth <= 512; ++depth) deep += u"d\\";
    EXPECT_EQ(ERROR_SUCCESS,
              RegCreateKeyEx(HKEY_USERS, deep.c_str(), 0, nullptr, 0, 0, nullptr, &key, nullptr));
    HKEY deeper = nullptr;
    EXPECT_NE(ERROR_SUCCESS, RegCreateKeyEx(key, u"one\\more", 0, nullptr, 0, 0, nullptr, &deeper, nullptr));
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyEx(key, u"one", 0, 0, &deeper));
    RegCloseKey(key);
}

}  // namespace
}  // namespace brackwell::registry::testing
