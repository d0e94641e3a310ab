// Which commands a person can use as the selection moves, and the two
// commands that need no selection: Refresh and About.
#include <gtest/gtest.h>

#include <QToolButton>

#include "dialogs/CAboutDlg.h"
#include "document/CBrackwellDoc.h"
#include "framework/CTreeCtrl.h"
#include "resources/resource.h"
#include "tests/shell/gui_fixture.h"

namespace brackwell::testing {
namespace {

constexpr UINT kNewCommands[] = {ID_EDIT_NEW_KEY, ID_EDIT_NEW_NUMBER, ID_EDIT_NEW_STRING,
                                 ID_EDIT_NEW_MULTISTRING, ID_EDIT_NEW_BINARY};
constexpr UINT kValueCommands[] = {ID_EDIT_MODIFY, ID_EDIT_RENAME};
constexpr UINT kAlwaysEnabled[] = {ID_EDIT_DELETE, ID_VIEW_REFRESH, ID_APP_ABOUT};

class CommandRulesTest : public GuiTest {
protected:
    void ExpectEnabled(bool keySelected, bool valueSelected) {
        for (UINT id : kNewCommands) EXPECT_EQ(keySelected, IsCommandEnabled(id)) << id;
        for (UINT id : kValueCommands) EXPECT_EQ(valueSelected, IsCommandEnabled(id)) << id;
        for (UINT id : kAlwaysEnabled) EXPECT_TRUE(IsCommandEnabled(id)) << id;
        EXPECT_EQ(valueSelected, ToolButton(ID_EDIT_MODIFY)->isEnabled());
        EXPECT_TRUE(ToolButton(ID_EDIT_DELETE)->isEnabled());
    }
};

TEST_F(CommandRulesTest, SelectionDecidesBetweenNewAndValueCommands) {
    TapKey(u"HKEY_LOCAL_MACHINE\\Software\\Types");
    ExpectEnabled(true, false);
    TapRow(0);
    ExpectEnabled(false, true);
    TapKey(u"HKEY_CURRENT_USER");
    ExpectEnabled(true, false);
}

// Refresh reads the store afresh, so a key another program added shows up;
// the first root stays highlighted and listed, but nothing is selected.
TEST_F(CommandRulesTest, RefreshRebuildsTreeAndClearsSelection) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyEx(HKEY_CURRENT_USER, u"Zeta\\Later", 0, nullptr, 0, 0,
                                            nullptr, &key, nullptr));
    RegCloseKey(key);
    TapKey(u"HKEY_LOCAL_MACHINE\\Software\\Types");
    TapRow(1);
    EXPECT_EQ(nullptr, FindKey(u"HKEY_CURRENT_USER\\Zeta\\Later"));

    RunCommand(ID_VIEW_REFRESH);
    EXPECT_NE(nullptr, FindKey(u"HKEY_CURRENT_USER\\Zeta\\Later"));
    EXPECT_EQ(FindKey(u"HKEY_CLASSES_ROOT"), Tree().GetSelectedItem());
    EXPECT_EQ((std::vector<Row>{{u"RootText", u"at the root", 0}}), Rows());
    EXPECT_EQ(nullptr, Doc().m_hCurrentItem);
    EXPECT_EQ(-1, Doc().m_nCurrentValue);
    ExpectEnabled(false, false);

    // Delete with nothing selected asks nothing and deletes nothing.
    RunCommand(ID_EDIT_DELETE);
    EXPECT_EQ(1, Rows().size());
}

TEST_F(CommandRulesTest, AboutOpensTheAboutBox) {
    DriveDialogs<CAboutDlg>([](CAboutDlg& dlg) { dlg.EndDialog(IDOK); });
    RunCommand(ID_APP_ABOUT);
    EXPECT_EQ(1, DialogsOpened());
}

}  // namespace
}  // namespace brackwell::testing
