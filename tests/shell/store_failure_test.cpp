// Edits the store refuses: each shows its message in the designed box and
// leaves the tree and the list as they were.
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <filesystem>

#include "dialogs/CMultiStringDlg.h"
#include "dialogs/CNewKeyDlg.h"
#include "dialogs/CStringDlg.h"
#include "document/CBrackwellDoc.h"
#include "framework/CWinApp.h"
#include "registry/device_registry.h"
#include "resources/resource.h"
#include "shell/CBrackwellView.h"
#include "shell/CDetailsView.h"
#include "tests/document/temporary_registry.h"
#include "tests/shell/gui_fixture.h"

namespace brackwell::testing {
namespace {

constexpr UINT kError = MB_ICONHAND;
constexpr UINT kConfirm = MB_OKCANCEL | MB_ICONQUESTION;

struct WriteCase {
    const char* name;
    UINT command;
    const char16_t* message;
};

const auto kEveryValueWrite = ::testing::Values(
    WriteCase{"String", ID_EDIT_NEW_STRING, u"Unable to add/modify string"},
    WriteCase{"Number", ID_EDIT_NEW_NUMBER, u"Unable to add/modify number"},
    WriteCase{"MultiString", ID_EDIT_NEW_MULTISTRING, u"Unable to add/modify multi string"},
    WriteCase{"Binary", ID_EDIT_NEW_BINARY, u"Unable to add/modify binary"});

std::string CaseName(const ::testing::TestParamInfo<WriteCase>& info) {
    return info.param.name;
}

// Runs a New value command with the given name and the value left as the
// dialog offers it, then checks the one box and the unchanged views.
class RefusedWriteTest : public GuiTest, public ::testing::WithParamInterface<WriteCase> {
protected:
    void NewValueIsRefused(std::u16string_view keyPath, const QString& name) {
        TapKey(keyPath);
        const std::vector<Row> rows = Rows();
        AnswerMessageBoxes(IDOK);
        DriveDialogs<CDialog>([name](CDialog& dlg) {
            TypeInto(dlg, IDC_NAME, name);
            PressButton(dlg, IDOK);
        });
        RunCommand(GetParam().command);
        EXPECT_EQ((std::vector<Box>{{&KeysView(), GetParam().message, u"Error", kError}}), Boxes());
        EXPECT_EQ(rows, Rows());
    }
};

class NameTooLongTest : public RefusedWriteTest {};

TEST_P(NameTooLongTest, ValueNamePastTheStoreLimit) {
    const QString name(256, u'v');
    NewValueIsRefused(u"HKEY_CURRENT_USER\\Mid", name);
    EXPECT_TRUE(StoredValueNames(HKEY_CURRENT_USER, u"Mid").empty());
}

INSTANTIATE_TEST_SUITE_P(EveryValueWrite, NameTooLongTest, kEveryValueWrite, CaseName);

// Root may override file permissions; dropping that power while the file
// is opened lets the store meet a read-only file as anyone else would.
bool OpenReadOnly(const std::string& path) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct caps[2] = {};
    const bool haveCaps = syscall(SYS_capget, &header, caps) == 0;
    __user_cap_data_struct lowered[2] = {caps[0], caps[1]};
    lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    if (haveCaps) syscall(SYS_capset, &header, lowered);
    const bool opened = registry::OpenDeviceRegistry(path).ok;
    if (haveCaps) syscall(SYS_capset, &header, caps);
    return opened;
}

// The program on a registry file that was read-only before it was opened.
class ReadOnlyStoreTest : public RefusedWriteTest {
public:
    static void SetUpTestSuite() {
        GuiTest::SetUpTestSuite();
        AfxWinTermForTests();
        folder_ = std::filesystem::temp_directory_path() / "brackwell-read-only-XXXXXX";
        std::string pattern = folder_.string();
        ASSERT_NE(nullptr, mkdtemp(pattern.data()));
        folder_ = pattern;
        const std::string path = (folder_ / "registry.sqlite3").string();
        ASSERT_TRUE(registry::OpenDeviceRegistry(path, kFixtureRegistry).ok);
        registry::CloseDeviceRegistry();
        ASSERT_EQ(0, chmod(path.c_str(), 0444));
        ASSERT_TRUE(OpenReadOnly(path));
        ASSERT_TRUE(AfxWinInitForTests());
    }
    static void TearDownTestSuite() {
        GuiTest::TearDownTestSuite();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

private:
    static inline std::filesystem::path folder_;
};

class ReadOnlyWriteTest : public ReadOnlyStoreTest {};

TEST_P(ReadOnlyWriteTest, NewValueIsRefused) {
    NewValueIsRefused(u"HKEY_LOCAL_MACHINE\\Software\\Types", "Added");
    EXPECT_FALSE(ReadStoredValue(HKEY_LOCAL_MACHINE, u"Software\\Types", u"Added"));
}

INSTANTIATE_TEST_SUITE_P(EveryValueWrite, ReadOnlyWriteTest, kEveryValueWrite, CaseName);

class ReadOnlyEditTest : public ReadOnlyStoreTest {};

TEST_F(ReadOnlyEditTest, NewKeyIsRefused) {
    TapKey(u"HKEY_CURRENT_USER\\Mid");
    AnswerMessageBoxes(IDOK);
    DriveDialogs<CNewKeyDlg>([](CNewKeyDlg& dlg) {
        TypeInto(dlg, IDC_KEY_NAME, "Sub");
        PressButton(dlg, IDOK);
    });
    RunCommand(ID_EDIT_NEW_KEY);
    EXPECT_EQ((std::vector<Box>{{&KeysView(), u"Unable to add the key", u"Error", kError}}),
              Boxes());
    EXPECT_TRUE(ChildLabels(FindKey(u"HKEY_CURRENT_USER\\Mid")).empty());
}

TEST_F(ReadOnlyEditTest, ModifyIsRefusedAndRowKept) {
    TapKey(u"HKEY_LOCAL_MACHINE\\Software\\Types");
    const std::vector<Row> rows = Rows();
    TapRow(RowOf(u"Multi"));
    AnswerMessageBoxes(IDOK);
    DriveDialogs<CMultiStringDlg>([](CMultiStringDlg& dlg) {
        TypeInto(dlg, IDC_VALUE, "c\nd");
        PressButton(dlg, IDOK);
    });
    RunCommand(ID_EDIT_MODIFY);
    EXPECT_EQ(
        (std::vector<Box>{{&KeysView(), u"Unable to add/modify multi string", u"Error", kError}}),
        Boxes());
    EXPECT_EQ(rows, Rows());
}

TEST_F(ReadOnlyEditTest, DeleteKeyIsRefusedAfterConfirmation) {
    TapKey(u"HKEY_LOCAL_MACHINE\\Hardware");
    const HTREEITEM item = FindKey(u"HKEY_LOCAL_MACHINE\\Hardware");
    AnswerMessageBoxes(IDOK);
    RunCommand(ID_EDIT_DELETE);
    EXPECT_EQ((std::vector<Box>{{&KeysView(), u"Hit OK to delete Hardware", u"Delete", kConfirm},
                                {&KeysView(), u"Unable to delete the key", u"Error", kError}}),
              Boxes());
    EXPECT_EQ(item, FindKey(u"HKEY_LOCAL_MACHINE\\Hardware"));
    EXPECT_EQ(item, Doc().m_hCurrentItem);
}

TEST_F(ReadOnlyEditTest, DeleteValueIsRefusedAndRowKept) {
    TapKey(u"HKEY_LOCAL_MACHINE\\Software\\Types");
    const std::vector<Row> rows = Rows();
    const int row = RowOf(u"Binary");
    TapRow(row);
    AnswerMessageBoxes(IDOK);
    RunCommand(ID_EDIT_DELETE);
    EXPECT_EQ((std::vector<Box>{
                  {&ValuesView(), u"Hit OK to delete Software\\Types\\Binary", u"Delete", kConfirm},
                  {&ValuesView(), u"Unable to delete the value", u"Error", kError}}),
              Boxes());
    EXPECT_EQ(rows, Rows());
    EXPECT_EQ(row, Doc().m_nCurrentValue);
}

// Another program deleted the listed key while it was shown.
class KeyGoneTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyEx(HKEY_CURRENT_USER, u"Zeta\\b2", 0, nullptr, 0, 0,
                                                nullptr, &key, nullptr));
        RegCloseKey(key);
        TapKey(u"HKEY_CURRENT_USER\\Zeta\\b2");
        ASSERT_EQ(ERROR_SUCCESS, RegDeleteKey(HKEY_CURRENT_USER, u"Zeta\\b2"));
        AnswerMessageBoxes(IDOK);
    }
};

TEST_F(KeyGoneTest, NewStringCannotOpenTheKey) {
    DriveDialogs<CStringDlg>([](CStringDlg& dlg) {
        TypeInto(dlg, IDC_NAME, "Late");
        PressButton(dlg, IDOK);
    });
    RunCommand(ID_EDIT_NEW_STRING);
    EXPECT_EQ((std::vector<Box>{{&KeysView(), u"Unable to add/modify string", u"Error", kError}}),
              Boxes());
    EXPECT_TRUE(Rows().empty());
}

TEST_F(KeyGoneTest, DeleteKeyReportsAndKeepsItem) {
    RunCommand(ID_EDIT_DELETE);
    EXPECT_EQ((std::vector<Box>{{&KeysView(), u"Hit OK to delete Zeta\\b2", u"Delete", kConfirm},
                                {&KeysView(), u"Unable to delete the key", u"Error", kError}}),
              Boxes());
    EXPECT_NE(nullptr, FindKey(u"HKEY_CURRENT_USER\\Zeta\\b2"));
}

}  // namespace
}  // namespace brackwell::testing
