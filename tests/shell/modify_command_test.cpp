// Modify and Rename on a selected value: the dialog that the stored type
// calls for, filled with the stored data, and the value written back under
// its own name with its own type.
#include <gtest/gtest.h>

#include <QWidget>
#include <typeinfo>

#include "dialogs/CBinaryDlg.h"
#include "dialogs/CMultiStringDlg.h"
#include "dialogs/CNumberDlg.h"
#include "dialogs/CStringDlg.h"
#include "document/CBrackwellDoc.h"
#include "resources/resource.h"
#include "tests/document/temporary_registry.h"
#include "tests/shell/gui_fixture.h"

namespace brackwell::testing {
namespace {

void Put(HKEY root, const std::u16string& path, const std::u16string& name, DWORD type,
         const std::vector<BYTE>& data) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(root, path.c_str(), 0, 0, &key));
    EXPECT_EQ(ERROR_SUCCESS,
              RegSetValueEx(key, name.c_str(), 0, type, data.data(), DWORD(data.size())));
    RegCloseKey(key);
}

struct ModifyCase {
    const char* name;
    std::u16string keyPath;  // below HKEY_LOCAL_MACHINE
    std::u16string value;
    const std::type_info* dialog;
    const char* heading;
    // What the dialog shows of the stored data.
    std::function<void(CDialog&)> checkShown;
    std::function<void(CDialog&)> edit;
    StoredValue stored;
    Row row;
};

class ModifyTest : public GuiTest, public ::testing::WithParamInterface<ModifyCase> {};

TEST_P(ModifyTest, EditsStoredDataAndKeepsType) {
    const ModifyCase& c = GetParam();
    TapKey(u"HKEY_LOCAL_MACHINE\\" + c.keyPath);
    std::vector<Row> rows = Rows();
    const int row = RowOf(c.value);
    TapRow(row);
    DriveDialogs<CDialog>([&](CDialog& dlg) {
        EXPECT_EQ(*c.dialog, typeid(dlg));
        EXPECT_EQ(QString::fromUtf8(c.heading), FieldText(dlg, IDC_HEADING));
        EXPECT_EQ(QString::fromStdU16String(c.value), FieldText(dlg, IDC_NAME));
        EXPECT_TRUE(IsFieldReadOnly(dlg, IDC_NAME));
        c.checkShown(dlg);
        c.edit(dlg);
        PressButton(dlg, IDOK);
    });
    RunCommand(ID_EDIT_MODIFY);
    EXPECT_EQ(1, DialogsOpened());

    EXPECT_EQ(c.stored, ReadStoredValue(HKEY_LOCAL_MACHINE, c.keyPath, c.value));
    rows[row] = c.row;
    EXPECT_EQ(rows, Rows());
    EXPECT_EQ(row, Doc().m_nCurrentValue);
}

std::function<void(CDialog&)> Shows(const char* text) {
    return [text](CDialog& dlg) {
        EXPECT_EQ(QString::fromUtf8(text), GuiTest::FieldText(dlg, IDC_VALUE));
    };
}

std::function<void(CDialog&)> ShowsBytes(std::vector<QString> labels) {
    return [labels](CDialog& dlg) { EXPECT_EQ(labels, GuiTest::ByteLabels(dlg)); };
}

std::function<void(CDialog&)> TypeValue(const char* text) {
    return [text](CDialog& dlg) { GuiTest::TypeInto(dlg, IDC_VALUE, QString::fromUtf8(text)); };
}

INSTANTIATE_TEST_SUITE_P(
    EveryType, ModifyTest,
    ::testing::Values(ModifyCase{"String",
                                 u"Software\\Types",
                                 u"Text",
                                 &typeid(CStringDlg),
                                 "Edit string",
                                 Shows("hello"),
                                 TypeValue("bye"),
                                 {REG_SZ, Utf16({u"bye\0", 4})},
                                 {u"Text", u"bye", 0}},
                      ModifyCase{"Number",
                                 u"Software\\Types",
                                 u"Number",
                                 &typeid(CNumberDlg),
                                 "Edit number",
                                 Shows("-1"),
                                 TypeValue("4294967294"),
                                 {REG_DWORD, {0xFE, 0xFF, 0xFF, 0xFF}},
                                 {u"Number", u"-2", 2}},
                      ModifyCase{"MultiString",
                                 u"Software\\Types",
                                 u"Multi",
                                 &typeid(CMultiStringDlg),
                                 "Edit multi string",
                                 Shows("a\r\nb"),
                                 TypeValue("x\n\nz"),
                                 {REG_MULTI_SZ, Utf16({u"x\0\0z\0\0", 6})},
                                 {u"Multi", u"x", 1}},
                      ModifyCase{"Binary",
                                 u"Software\\Types",
                                 u"Binary",
                                 &typeid(CBinaryDlg),
                                 "Edit binary value",
                                 ShowsBytes({"01", "AB", "00", "FF", "10"}),
                                 [](CDialog& dlg) { GuiTest::EditByte(dlg, 0, "7f"); },
                                 {REG_BINARY, {0x7F, 0xAB, 0x00, 0xFF, 0x10}},
                                 {u"Binary", u"7F AB 00 FF ", 3}},
                      // An expand-string is edited as text and stays an expand-string.
                      ModifyCase{"ExpandString",
                                 u"Software\\Types",
                                 u"Expand",
                                 &typeid(CStringDlg),
                                 "Edit string",
                                 Shows("%PATH%"),
                                 TypeValue("%HOME%"),
                                 {REG_EXPAND_SZ, Utf16({u"%HOME%\0", 7})},
                                 {u"Expand", u"%HOME%", 4}},
                      // A type without a dialog of its own is edited as bytes and keeps its type.
                      ModifyCase{"TypeNone",
                                 u"Software\\Empty",
                                 u"Nothing",
                                 &typeid(CBinaryDlg),
                                 "Edit binary value",
                                 ShowsBytes({}),
                                 [](CDialog& dlg) {
                                     GuiTest::PressButton(dlg, IDC_APPEND);
                                     GuiTest::EditByte(dlg, 0, "41");
                                     GuiTest::PressButton(dlg, IDC_APPEND);
                                     GuiTest::PressButton(dlg, IDC_APPEND);
                                 },
                                 {REG_NONE, {0x41, 0, 0}},
                                 {u"Nothing", u"A", 4}}),
    [](const ::testing::TestParamInfo<ModifyCase>& info) { return info.param.name; });

class ModifyCommandTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        TapKey(u"HKEY_USERS");
        TapKey(u"HKEY_LOCAL_MACHINE\\Software\\Rename");
    }
};

TEST_F(ModifyCommandTest, FirstToolButtonOpensModify) {
    TapRow(RowOf(u"Beta"));
    DriveDialogs<CStringDlg>([](CStringDlg& dlg) {
        EXPECT_EQ("two", FieldText(dlg, IDC_VALUE));
        PressButton(dlg, IDCANCEL);
    });
    TapToolButton(ID_EDIT_MODIFY);
    EXPECT_EQ(1, DialogsOpened());
}

TEST_F(ModifyCommandTest, DoubleTapOpensModifyForThatRow) {
    const int row = RowOf(u"Gamma");
    DriveDialogs<CNumberDlg>([](CNumberDlg& dlg) {
        EXPECT_EQ("Gamma", FieldText(dlg, IDC_NAME));
        EXPECT_EQ("7", FieldText(dlg, IDC_VALUE));
        TypeInto(dlg, IDC_VALUE, "8");
        PressButton(dlg, IDOK);
    });
    DoubleTapRow(row);
    EXPECT_EQ(1, DialogsOpened());
    EXPECT_EQ((Row{u"Gamma", u"8", 2}), Rows()[row]);
    EXPECT_EQ(StoredValue({REG_DWORD, {8, 0, 0, 0}}),
              ReadStoredValue(HKEY_LOCAL_MACHINE, u"Software\\Rename", u"Gamma"));
}

TEST_F(ModifyCommandTest, CancelChangesNothing) {
    const std::vector<Row> rows = Rows();
    TapRow(RowOf(u"Alpha"));
    DriveDialogs<CStringDlg>([](CStringDlg& dlg) {
        TypeInto(dlg, IDC_VALUE, "changed");
        PressButton(dlg, IDCANCEL);
    });
    RunCommand(ID_EDIT_MODIFY);
    EXPECT_EQ(rows, Rows());
    EXPECT_EQ(StoredValue({REG_SZ, Utf16({u"one\0", 4})}),
              ReadStoredValue(HKEY_LOCAL_MACHINE, u"Software\\Rename", u"Alpha"));
}

// Text that is no number is refused in the dialog: the value keeps its bits.
TEST_F(ModifyCommandTest, NumberTextThatIsNoNumberIsRefusedAndNothingWritten) {
    const std::vector<Row> rows = Rows();
    const auto stored = ReadStoredValue(HKEY_LOCAL_MACHINE, u"Software\\Rename", u"Gamma");
    TapRow(RowOf(u"Gamma"));
    AnswerMessageBoxes(IDOK);
    bool stayedOpen = false;
    DriveDialogs<CNumberDlg>([&stayedOpen](CNumberDlg& dlg) {
        TypeInto(dlg, IDC_VALUE, "5k");
        PressButton(dlg, IDOK);
        stayedOpen = dlg.GetSafeHwnd() && dlg.GetSafeHwnd()->isVisible();
        PressButton(dlg, IDCANCEL);
    });
    RunCommand(ID_EDIT_MODIFY);
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(1u, Boxes().size());
    EXPECT_EQ(u"Error", Boxes()[0].caption);
    EXPECT_EQ(rows, Rows());
    EXPECT_EQ(stored, ReadStoredValue(HKEY_LOCAL_MACHINE, u"Software\\Rename", u"Gamma"));
}

// The multi-string dialog shows one string per line; a string holding a line
// break is edited as bytes instead, so OK without an edit writes back what was there.
TEST_F(ModifyCommandTest, MultiStringWithALineBreakIsEditedAsBytes) {
    const std::vector<BYTE> data = Utf16({u"a\nb\0c\0\0", 7});
    Put(HKEY_LOCAL_MACHINE, u"Software\\Rename", u"Lines", REG_MULTI_SZ, data);
    TapKey(u"HKEY_USERS");  // list the key again, now with the new value
    TapKey(u"HKEY_LOCAL_MACHINE\\Software\\Rename");
    TapRow(RowOf(u"Lines"));
    DriveDialogs<CBinaryDlg>([](CBinaryDlg& dlg) {
        EXPECT_EQ("Edit binary value", FieldText(dlg, IDC_HEADING));
        PressButton(dlg, IDOK);
    });
    RunCommand(ID_EDIT_MODIFY);
    EXPECT_EQ(1, DialogsOpened());
    EXPECT_EQ(StoredValue({REG_MULTI_SZ, data}),
              ReadStoredValue(HKEY_LOCAL_MACHINE, u"Software\\Rename", u"Lines"));
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_LOCAL_MACHINE, u"Software\\Rename", 0, 0, &key));
    RegDeleteValue(key, u"Lines");
    RegCloseKey(key);
}

// The data comes from the store, not from the row's text.
TEST_F(ModifyCommandTest, DialogShowsWhatTheStoreHoldsNow) {
    Put(HKEY_LOCAL_MACHINE, u"Software\\Rename", u"Delta", REG_SZ, Utf16({u"newer\0", 6}));
    TapRow(RowOf(u"Delta"));
    DriveDialogs<CStringDlg>([](CStringDlg& dlg) {
        EXPECT_EQ("newer", FieldText(dlg, IDC_VALUE));
        PressButton(dlg, IDCANCEL);
    });
    RunCommand(ID_EDIT_MODIFY);
    EXPECT_EQ(1, DialogsOpened());
}

// The default value has an empty name, so its dialog offers the name field;
// a name typed there must not send the data to another value.
TEST_F(ModifyCommandTest, DefaultValueIsWrittenUnderItsOwnName) {
    TapKey(u"HKEY_CLASSES_ROOT\\.txt");
    const int row = RowOf(u"");
    TapRow(row);
    DriveDialogs<CStringDlg>([](CStringDlg& dlg) {
        EXPECT_EQ("txtfile", FieldText(dlg, IDC_VALUE));
        TypeInto(dlg, IDC_NAME, "Other");
        TypeInto(dlg, IDC_VALUE, "docfile");
        PressButton(dlg, IDOK);
    });
    RunCommand(ID_EDIT_MODIFY);
    EXPECT_EQ((std::vector<std::u16string>{u""}), StoredValueNames(HKEY_CLASSES_ROOT, u".txt"));
    EXPECT_EQ(StoredValue({REG_SZ, Utf16({u"docfile\0", 8})}),
              ReadStoredValue(HKEY_CLASSES_ROOT, u".txt", u""));
    EXPECT_EQ((std::vector<Row>{{u"", u"docfile", 0}}), Rows());
}

// A number of another size than four bytes would be cut to four by the
// number dialog.
TEST_F(ModifyCommandTest, NumberOfOddSizeIsEditedAsBytes) {
    Put(HKEY_LOCAL_MACHINE, u"Software\\Rename", u"Wide", REG_DWORD, {1, 2, 3, 4, 5});
    TapKey(u"HKEY_USERS");
    TapKey(u"HKEY_LOCAL_MACHINE\\Software\\Rename");
    TapRow(RowOf(u"Wide"));
    DriveDialogs<CBinaryDlg>([](CBinaryDlg& dlg) {
        EXPECT_EQ((std::vector<QString>{"01", "02", "03", "04", "05"}), ByteLabels(dlg));
        EditByte(dlg, 4, "6");
        PressButton(dlg, IDOK);
    });
    RunCommand(ID_EDIT_MODIFY);
    EXPECT_EQ(StoredValue({REG_DWORD, {1, 2, 3, 4, 6}}),
              ReadStoredValue(HKEY_LOCAL_MACHINE, u"Software\\Rename", u"Wide"));
}

TEST_F(ModifyCommandTest, ValueGoneFromTheStoreOpensNothing) {
    Put(HKEY_LOCAL_MACHINE, u"Software\\Rename", u"Brief", REG_SZ, Utf16({u"x\0", 2}));
    TapKey(u"HKEY_USERS");
    TapKey(u"HKEY_LOCAL_MACHINE\\Software\\Rename");
    const std::vector<Row> rows = Rows();
    TapRow(RowOf(u"Brief"));
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_LOCAL_MACHINE, u"Software\\Rename", 0, 0, &key));
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteValue(key, u"Brief"));
    RegCloseKey(key);
    DriveDialogs<CDialog>([](CDialog&) {});
    RunCommand(ID_EDIT_MODIFY);
    EXPECT_EQ(0, DialogsOpened());
    EXPECT_EQ(rows, Rows());
}

TEST_F(ModifyCommandTest, RenameEditsTheSelectedRowsName) {
    const int row = RowOf(u"Beta");
    TapRow(row);
    RunCommand(ID_EDIT_RENAME);
    TypeRowName("Second");
    EXPECT_EQ((Row{u"Second", u"two", 0}), Rows()[row]);
    EXPECT_EQ(StoredValue({REG_SZ, Utf16({u"two\0", 4})}),
              ReadStoredValue(HKEY_LOCAL_MACHINE, u"Software\\Rename", u"Second"));
    EXPECT_FALSE(ReadStoredValue(HKEY_LOCAL_MACHINE, u"Software\\Rename", u"Beta"));
}

}  // namespace
}  // namespace brackwell::testing
