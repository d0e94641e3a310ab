// The New commands as a person uses them: the dialog filled and confirmed
// or cancelled, then the bytes the store holds and what the views show.
#include <gtest/gtest.h>

#include <typeinfo>

#include "dialogs/CBinaryDlg.h"
#include "dialogs/CMultiStringDlg.h"
#include "dialogs/CNewKeyDlg.h"
#include "dialogs/CNumberDlg.h"
#include "dialogs/CStringDlg.h"
#include "document/CBrackwellDoc.h"
#include "framework/CTreeCtrl.h"
#include "resources/resource.h"
#include "shell/CBrackwellView.h"
#include "shell/CDetailsView.h"
#include "tests/document/temporary_registry.h"
#include "tests/shell/gui_fixture.h"

namespace brackwell::testing {
namespace {

// New values go into HKEY_CURRENT_USER\Mid, which starts without values.
constexpr std::u16string_view kKey = u"Mid";
constexpr std::u16string_view kKeyPath = u"HKEY_CURRENT_USER\\Mid";

struct NewValueCase {
    const char* name;
    UINT command;
    const std::type_info* dialog;
    const char* heading;
    // Types or taps the value; the name is typed by the test.
    std::function<void(CDialog&)> fillValue;
    StoredValue stored;
    std::u16string data;
    int image;
};

class NewValueTest : public GuiTest, public ::testing::WithParamInterface<NewValueCase> {};

TEST_P(NewValueTest, StoresExactBytesAndAppendsRow) {
    const NewValueCase& c = GetParam();
    const QString name = QString::fromUtf8(c.name);
    TapKey(kKeyPath);
    std::vector<Row> rows = Rows();
    DriveDialogs<CDialog>([&](CDialog& dlg) {
        EXPECT_EQ(*c.dialog, typeid(dlg));
        EXPECT_EQ(QString::fromUtf8(c.heading), FieldText(dlg, IDC_HEADING));
        EXPECT_FALSE(IsFieldReadOnly(dlg, IDC_NAME));
        TypeInto(dlg, IDC_NAME, name);
        c.fillValue(dlg);
        PressButton(dlg, IDOK);
    });
    RunCommand(c.command);
    EXPECT_EQ(1, DialogsOpened());

    EXPECT_EQ(c.stored, ReadStoredValue(HKEY_CURRENT_USER, kKey, name.toStdU16String()));
    rows.push_back({name.toStdU16String(), c.data, c.image});
    EXPECT_EQ(rows, Rows());
    // The key stays selected and no row is.
    EXPECT_EQ(FindKey(kKeyPath), Doc().m_hCurrentItem);
    EXPECT_EQ(-1, Doc().m_nCurrentValue);
    EXPECT_EQ(-1, SelectedRow());
}

std::function<void(CDialog&)> TypeValue(const char* text) {
    return [text](CDialog& dlg) { GuiTest::TypeInto(dlg, IDC_VALUE, QString::fromUtf8(text)); };
}

// Appends one byte per label and types each label in place.
std::function<void(CDialog&)> AppendBytes(std::vector<const char*> labels) {
    return [labels](CDialog& dlg) {
        for (std::size_t i = 0; i < labels.size(); ++i) {
            GuiTest::PressButton(dlg, IDC_APPEND);
            GuiTest::EditByte(dlg, int(i), QString::fromUtf8(labels[i]));
        }
    };
}

INSTANTIATE_TEST_SUITE_P(
    EveryType, NewValueTest,
    ::testing::Values(NewValueCase{"EmptyStringIsTwoBytes",
                                   ID_EDIT_NEW_STRING,
                                   &typeid(CStringDlg),
                                   "Enter new string",
                                   TypeValue(""),
                                   {REG_SZ, {0, 0}},
                                   u"",
                                   0},
                      NewValueCase{"StringAbcIsEightBytes",
                                   ID_EDIT_NEW_STRING,
                                   &typeid(CStringDlg),
                                   "Enter new string",
                                   TypeValue("abc"),
                                   {REG_SZ, Utf16({u"abc\0", 4})},
                                   u"abc",
                                   0},
                      NewValueCase{"MultiStringAbXyzIsSixteenBytes",
                                   ID_EDIT_NEW_MULTISTRING,
                                   &typeid(CMultiStringDlg),
                                   "Enter new multi string",
                                   TypeValue("ab\nxyz"),
                                   {REG_MULTI_SZ, Utf16({u"ab\0xyz\0\0", 8})},
                                   u"ab",
                                   1},
                      NewValueCase{"MultiStringOfOneEmptyLineIsFourBytes",
                                   ID_EDIT_NEW_MULTISTRING,
                                   &typeid(CMultiStringDlg),
                                   "Enter new multi string",
                                   TypeValue(""),
                                   {REG_MULTI_SZ, {0, 0, 0, 0}},
                                   u"",
                                   1},
                      NewValueCase{"MultiStringKeepsEmptyLineInside",
                                   ID_EDIT_NEW_MULTISTRING,
                                   &typeid(CMultiStringDlg),
                                   "Enter new multi string",
                                   TypeValue("a\n\nb"),
                                   {REG_MULTI_SZ, Utf16({u"a\0\0b\0\0", 6})},
                                   u"a",
                                   1},
                      NewValueCase{"UnsignedNumberKeepsAllBitsAndShowsMinusOne",
                                   ID_EDIT_NEW_NUMBER,
                                   &typeid(CNumberDlg),
                                   "Enter new number",
                                   TypeValue("4294967295"),
                                   {REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}},
                                   u"-1",
                                   2},
                      NewValueCase{"NegativeNumberIsLittleEndian",
                                   ID_EDIT_NEW_NUMBER,
                                   &typeid(CNumberDlg),
                                   "Enter new number",
                                   TypeValue("-2"),
                                   {REG_DWORD, {0xFE, 0xFF, 0xFF, 0xFF}},
                                   u"-2",
                                   2},
                      NewValueCase{"HexadecimalNumberWasStoredAsZero",
                                   ID_EDIT_NEW_NUMBER,
                                   &typeid(CNumberDlg),
                                   "Enter new number",
                                   TypeValue("0x1F4"),
                                   {REG_DWORD, {0xF4, 0x01, 0, 0}},
                                   u"500",
                                   2},
                      NewValueCase{"BinaryOfSixBytesShowsFour",
                                   ID_EDIT_NEW_BINARY,
                                   &typeid(CBinaryDlg),
                                   "Enter new binary value",
                                   AppendBytes({"1", "ab", "0", "ff", "10", "7"}),
                                   {REG_BINARY, {0x01, 0xAB, 0x00, 0xFF, 0x10, 0x07}},
                                   u"01 AB 00 FF ",
                                   3},
                      NewValueCase{"BinaryWithoutBytesIsEmpty",
                                   ID_EDIT_NEW_BINARY,
                                   &typeid(CBinaryDlg),
                                   "Enter new binary value",
                                   [](CDialog&) {},
                                   {REG_BINARY, {}},
                                   u"",
                                   3}),
    [](const ::testing::TestParamInfo<NewValueCase>& info) { return info.param.name; });

class NewCommandsTest : public GuiTest {};

// The store replaces a value of the same name (compared without regard to
// case): after the person confirms, the list updates that row instead of
// showing a second one.
TEST_F(NewCommandsTest, NewValueWithListedNameUpdatesThatRow) {
    TapKey(u"HKEY_LOCAL_MACHINE\\Software\\Types");
    std::vector<Row> rows = Rows();
    const int row = RowOf(u"Text");
    AnswerMessageBoxes(IDOK);
    DriveDialogs<CNumberDlg>([](CNumberDlg& dlg) {
        TypeInto(dlg, IDC_NAME, "TEXT");
        TypeInto(dlg, IDC_VALUE, "12");
        PressButton(dlg, IDOK);
    });
    RunCommand(ID_EDIT_NEW_NUMBER);

    EXPECT_EQ((std::vector<Box>{{&ValuesView(), u"Hit OK to replace Text", u"Replace", 33}}),
              Boxes());
    rows[row] = {u"Text", u"12", 2};
    EXPECT_EQ(rows, Rows());
    EXPECT_EQ(StoredValue({REG_DWORD, {12, 0, 0, 0}}),
              ReadStoredValue(HKEY_LOCAL_MACHINE, u"Software\\Types", u"Text"));
}

struct ReplaceCase {
    const char* name;
    UINT command;
};

class DeclinedReplaceTest : public GuiTest, public ::testing::WithParamInterface<ReplaceCase> {};

// Any New dialog given the name of a value the key holds asks before
// replacing it; any answer but OK writes nothing.
TEST_P(DeclinedReplaceTest, KeepsTheValueOfThatName) {
    TapKey(u"HKEY_LOCAL_MACHINE\\Software\\Types");
    const std::vector<Row> rows = Rows();
    const auto stored = ReadStoredValue(HKEY_LOCAL_MACHINE, u"Software\\Types", u"Multi");
    AnswerMessageBoxes(IDCANCEL);
    DriveDialogs<CDialog>([](CDialog& dlg) {
        TypeInto(dlg, IDC_NAME, "mULTI");
        PressButton(dlg, IDOK);
    });
    RunCommand(GetParam().command);
    EXPECT_EQ((std::vector<Box>{{&ValuesView(), u"Hit OK to replace Multi", u"Replace", 33}}),
              Boxes());
    EXPECT_EQ(rows, Rows());
    EXPECT_EQ(stored, ReadStoredValue(HKEY_LOCAL_MACHINE, u"Software\\Types", u"Multi"));
}

INSTANTIATE_TEST_SUITE_P(EveryNewValueCommand, DeclinedReplaceTest,
                         ::testing::Values(ReplaceCase{"Number", ID_EDIT_NEW_NUMBER},
                                           ReplaceCase{"String", ID_EDIT_NEW_STRING},
                                           ReplaceCase{"MultiString", ID_EDIT_NEW_MULTISTRING},
                                           ReplaceCase{"Binary", ID_EDIT_NEW_BINARY}),
                         [](const ::testing::TestParamInfo<ReplaceCase>& info) {
                             return info.param.name;
                         });

struct CancelCase {
    const char* name;
    UINT command;
};

class CancelNewTest : public GuiTest, public ::testing::WithParamInterface<CancelCase> {};

TEST_P(CancelNewTest, CancelChangesNothing) {
    TapKey(kKeyPath);
    const std::vector<Row> rows = Rows();
    const std::vector<std::u16string> names = StoredValueNames(HKEY_CURRENT_USER, kKey);
    const std::vector<std::u16string> children = ChildLabels(FindKey(kKeyPath));
    DriveDialogs<CDialog>([](CDialog& dlg) {
        TypeInto(dlg, dlg.GetDlgItem(IDC_KEY_NAME) ? IDC_KEY_NAME : IDC_NAME, "Cancelled");
        PressButton(dlg, IDCANCEL);
    });
    RunCommand(GetParam().command);
    EXPECT_EQ(1, DialogsOpened());
    EXPECT_EQ(rows, Rows());
    EXPECT_EQ(names, StoredValueNames(HKEY_CURRENT_USER, kKey));
    EXPECT_EQ(children, ChildLabels(FindKey(kKeyPath)));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, u"Mid\\Cancelled"));
}

INSTANTIATE_TEST_SUITE_P(EveryNewCommand, CancelNewTest,
                         ::testing::Values(CancelCase{"Key", ID_EDIT_NEW_KEY},
                                           CancelCase{"Number", ID_EDIT_NEW_NUMBER},
                                           CancelCase{"String", ID_EDIT_NEW_STRING},
                                           CancelCase{"MultiString", ID_EDIT_NEW_MULTISTRING},
                                           CancelCase{"Binary", ID_EDIT_NEW_BINARY}),
                         [](const ::testing::TestParamInfo<CancelCase>& info) {
                             return info.param.name;
                         });

class NewKeyTest : public GuiTest {
protected:
    void AddKey(const QString& name) {
        DriveDialogs<CNewKeyDlg>([name](CNewKeyDlg& dlg) {
            TypeInto(dlg, IDC_KEY_NAME, name);
            PressButton(dlg, IDOK);
        });
        RunCommand(ID_EDIT_NEW_KEY);
        EXPECT_EQ(1, DialogsOpened());
    }
};

// Children are sorted again, and the parent stays the selected, listed key.
TEST_F(NewKeyTest, NewKeyJoinsItsSortedSiblingsAndParentStaysSelected) {
    TapKey(u"HKEY_CURRENT_USER\\Zeta");
    const HTREEITEM parent = FindKey(u"HKEY_CURRENT_USER\\Zeta");
    AddKey("a0");
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, u"Zeta\\a0"));
    EXPECT_EQ((std::vector<std::u16string>{u"a0", u"a1", u"b2"}), ChildLabels(parent));
    EXPECT_EQ(parent, Doc().m_hCurrentItem);
    EXPECT_EQ(parent, Tree().GetSelectedItem());
    EXPECT_EQ(u"Zeta", Doc().m_strKeyPath.str());
}

TEST_F(NewKeyTest, NewKeyOfARootGoesDirectlyBelowIt) {
    TapKey(u"HKEY_USERS");
    AddKey("Fresh");
    EXPECT_TRUE(KeyExists(HKEY_USERS, u"Fresh"));
    EXPECT_EQ((std::vector<std::u16string>{u"Fresh"}), ChildLabels(FindKey(u"HKEY_USERS")));
}

TEST_F(NewKeyTest, ExistingNameIsReportedAndTreeKept) {
    TapKey(u"HKEY_CURRENT_USER");
    const std::vector<std::u16string> children = ChildLabels(FindKey(u"HKEY_CURRENT_USER"));
    AnswerMessageBoxes(IDOK);
    AddKey("ZETA");
    EXPECT_EQ((std::vector<Box>{{&KeysView(), u"The key was already present!", u"Error", 16}}),
              Boxes());
    EXPECT_EQ(children, ChildLabels(FindKey(u"HKEY_CURRENT_USER")));
}

struct RefusedKeyCase {
    const char* name;
    QString keyName;
};

class RefusedKeyTest : public NewKeyTest, public ::testing::WithParamInterface<RefusedKeyCase> {};

// A backslash would make the store create nested keys while the tree shows
// one item; an empty name names no key; a long one is past the store's limit.
TEST_P(RefusedKeyTest, RefusedWithoutTouchingStoreOrTree) {
    TapKey(kKeyPath);
    AnswerMessageBoxes(IDOK);
    AddKey(GetParam().keyName);
    EXPECT_EQ((std::vector<Box>{{&KeysView(), u"Unable to add the key", u"Error", 16}}), Boxes());
    EXPECT_TRUE(ChildLabels(FindKey(kKeyPath)).empty());
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, u"Mid", 0, 0, &key));
    WCHAR name[1024];
    DWORD length = 1024;
    EXPECT_NE(ERROR_SUCCESS,
              RegEnumKeyEx(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr));
    RegCloseKey(key);
}

INSTANTIATE_TEST_SUITE_P(BadNames, RefusedKeyTest,
                         ::testing::Values(RefusedKeyCase{"Backslash", "One\\Two"},
                                           RefusedKeyCase{"Empty", ""},
                                           RefusedKeyCase{"PastTheStoreLimit", QString(256, u'k')}),
                         [](const ::testing::TestParamInfo<RefusedKeyCase>& info) {
                             return info.param.name;
                         });

}  // namespace
}  // namespace brackwell::testing
