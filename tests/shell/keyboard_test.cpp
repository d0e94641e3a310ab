// The editor from the keyboard: F10 or a lone Alt reaches the menus, the
// desktop keys run their commands under the commands' own enable rules, and
// none of them fires while a name or a dialog field is being typed into.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "dialogs/CFindDlg.h"
#include "dialogs/CStringDlg.h"
#include "document/CBrackwellDoc.h"
#include "framework/CListCtrl.h"
#include "framework/CTreeCtrl.h"
#include "resources/resource.h"
#include "shell/CBrackwellView.h"
#include "shell/CDetailsView.h"
#include "shell/CMainFrame.h"
#include "tests/document/temporary_registry.h"
#include "tests/shell/gui_fixture.h"

namespace brackwell::testing {
namespace {

constexpr std::u16string_view kValuesKey = u"HKEY_LOCAL_MACHINE\\Software\\Rename";

class KeyboardTest : public GuiTest {
protected:
    static QMenuBar* MenuBar() { return Frame().GetSafeHwnd()->findChild<QMenuBar*>(); }
    static QString HighlightedMenu() {
        return MenuBar()->activeAction() ? MenuBar()->activeAction()->text() : QString();
    }
    // Whether the title of that menu is drawn marked, as the person sees it.
    static bool IsTitleMarked(int menu) {
        const QRect title = MenuBar()->actionGeometry(MenuBar()->actions()[menu]);
        const QImage shot = MenuBar()->grab().toImage();
        return shot.pixelColor(title.left() + 2, title.center().y()) ==
               MenuBar()->palette().color(QPalette::Highlight);
    }
    // The row-name editor while it is open.
    static QLineEdit* NameEditor() {
        auto* editor = ValuesView().GetSafeHwnd()->findChild<QLineEdit*>();
        return editor && editor->isVisible() ? editor : nullptr;
    }
    // Selects the last value of the listed key from the keyboard.
    void SelectLastValue() {
        TapKey(u"HKEY_USERS");
        TapKey(kValuesKey);
        PressKey(Qt::Key_F6);
        PressKey(Qt::Key_End);
        ASSERT_NE(-1, Doc().m_nCurrentValue);
    }
};

struct MenuKey {
    const char* name;
    Qt::Key key;
    friend void PrintTo(const MenuKey& key, std::ostream* os) { *os << key.name; }
};

class MenuKeyTest : public KeyboardTest, public ::testing::WithParamInterface<MenuKey> {};

// The first menu is highlighted, not opened; Escape gives the focus back.
TEST_P(MenuKeyTest, FocusGoesToTheMenusAndEscapeBringsItBack) {
    TapKey(u"HKEY_CURRENT_USER");
    PressKey(GetParam().key, GetParam().key == Qt::Key_Alt ? Qt::AltModifier : Qt::NoModifier);
    EXPECT_EQ(MenuBar(), QApplication::focusWidget());
    EXPECT_EQ("File", HighlightedMenu());
    EXPECT_TRUE(IsTitleMarked(0));
    PressKey(Qt::Key_Right);
    EXPECT_EQ("Edit", HighlightedMenu());
    EXPECT_TRUE(IsTitleMarked(1));
    EXPECT_FALSE(IsTitleMarked(0));
    EXPECT_EQ(nullptr, QApplication::activePopupWidget());
    PressKey(Qt::Key_Escape);
    EXPECT_EQ(KeysView().GetSafeHwnd(), QApplication::focusWidget());
    EXPECT_EQ(QString(), HighlightedMenu());
    EXPECT_FALSE(IsTitleMarked(1));
}

INSTANTIATE_TEST_SUITE_P(Keys, MenuKeyTest,
                         ::testing::Values(MenuKey{"F10", Qt::Key_F10},
                                           MenuKey{"AltAlone", Qt::Key_Alt}),
                         [](const ::testing::TestParamInfo<MenuKey>& info) {
                             return info.param.name;
                         });

// Arrows and Enter walk the menus as in any menu bar: View, Refresh.
TEST_F(KeyboardTest, MenusRunACommandFromTheKeyboard) {
    TapKey(u"HKEY_CURRENT_USER\\Zeta");
    PressKey(Qt::Key_F10);
    PressKey(Qt::Key_Right);
    PressKey(Qt::Key_Right);
    PressKey(Qt::Key_Return);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ("View", menu->title());
    PressKey(Qt::Key_Return);
    EXPECT_EQ(nullptr, QApplication::activePopupWidget());
    EXPECT_EQ(nullptr, Doc().m_hCurrentItem);
    EXPECT_EQ(FindKey(u"HKEY_CLASSES_ROOT"), Tree().GetSelectedItem());
}

enum class Effect { AsksToDelete, EditsTheName, OpensFind, Refreshes, Nothing };

struct CommandKey {
    const char* fault;
    bool valueSelected;  // else the key kValuesKey is
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    UINT command;
    Effect effect;
    friend void PrintTo(const CommandKey& key, std::ostream* os) { *os << key.fault; }
};

class CommandKeyTest : public KeyboardTest, public ::testing::WithParamInterface<CommandKey> {};

// Each key does what its command does, exactly when the command is enabled.
TEST_P(CommandKeyTest, RunsItsCommandUnderItsEnableRule) {
    const CommandKey& c = GetParam();
    if (c.valueSelected) {
        SelectLastValue();
    } else {
        TapKey(u"HKEY_USERS");
        TapKey(kValuesKey);
    }
    EXPECT_EQ(c.effect != Effect::Nothing, IsCommandEnabled(c.command));
    AnswerMessageBoxes(IDCANCEL);
    DriveDialogs<CFindDlg>([](CFindDlg& dlg) { PressButton(dlg, IDCANCEL); });
    PressKey(c.key, c.modifiers);

    EXPECT_EQ(c.effect == Effect::AsksToDelete, Boxes().size() == 1);
    EXPECT_EQ(c.effect == Effect::EditsTheName, NameEditor() != nullptr);
    EXPECT_EQ(c.effect == Effect::OpensFind, DialogsOpened() == 1);
    EXPECT_EQ(c.effect == Effect::Refreshes,
              FindKey(u"HKEY_CLASSES_ROOT") == Tree().GetSelectedItem());
    if (NameEditor()) QTest::keyClick(NameEditor(), Qt::Key_Escape);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, CommandKeyTest,
    ::testing::Values(
        CommandKey{"DeleteAsksAboutTheKey",
                   false,
                   Qt::Key_Delete,
                   {},
                   ID_EDIT_DELETE,
                   Effect::AsksToDelete},
        CommandKey{"DeleteAsksAboutTheValue",
                   true,
                   Qt::Key_Delete,
                   {},
                   ID_EDIT_DELETE,
                   Effect::AsksToDelete},
        CommandKey{
            "F2EditsTheValueName", true, Qt::Key_F2, {}, ID_EDIT_RENAME, Effect::EditsTheName},
        CommandKey{"F2WithAKeySelectedDoesNothing",
                   false,
                   Qt::Key_F2,
                   {},
                   ID_EDIT_RENAME,
                   Effect::Nothing},
        CommandKey{"CtrlFOpensFind", false, Qt::Key_F, Qt::ControlModifier, ID_EDIT_FIND,
                   Effect::OpensFind},
        CommandKey{"F3BeforeAnyFindDoesNothing",
                   false,
                   Qt::Key_F3,
                   {},
                   ID_EDIT_FIND_NEXT,
                   Effect::Nothing},
        CommandKey{"F5Refreshes", true, Qt::Key_F5, {}, ID_VIEW_REFRESH, Effect::Refreshes}),
    [](const ::testing::TestParamInfo<CommandKey>& info) { return std::string(info.param.fault); });

// F3 repeats the search that Ctrl+F started.
TEST_F(KeyboardTest, F3FindsTheNextMatch) {
    TapKey(u"HKEY_LOCAL_MACHINE");
    DriveDialogs<CFindDlg>([](CFindDlg& dlg) {
        TypeInto(dlg, IDC_FIND_TEXT, "Types");
        PressButton(dlg, IDOK);
    });
    PressKey(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(FindKey(u"HKEY_LOCAL_MACHINE\\Software\\Types"), Tree().GetSelectedItem());
    AnswerMessageBoxes(IDOK);
    PressKey(Qt::Key_F3);
    EXPECT_EQ((std::vector<Box>{{&Frame(), u"There are no more matches", u"Find", 64}}), Boxes());
}

TEST_F(KeyboardTest, EnterOnAValueRowOpensModify) {
    SelectLastValue();
    const CString name = List().GetItemText(Doc().m_nCurrentValue, 0);
    DriveDialogs<CDialog>([&name](CDialog& dlg) {
        EXPECT_EQ(name.ToQString(), FieldText(dlg, IDC_NAME));
        PressButton(dlg, IDCANCEL);
    });
    PressKey(Qt::Key_Return);
    EXPECT_EQ(1, DialogsOpened());

    // Enter in the key tree is no Modify.
    TapKey(kValuesKey);
    PressKey(Qt::Key_Return);
    EXPECT_EQ(1, DialogsOpened());
}

// In the row-name editor Delete deletes a character, the command keys do
// nothing, and Enter ends the edit.
TEST_F(KeyboardTest, KeysInTheNameEditorBelongToIt) {
    SelectLastValue();
    const int row = Doc().m_nCurrentValue;
    const std::u16string name = List().GetItemText(row, 0).str();
    PressKey(Qt::Key_F2);
    ASSERT_NE(nullptr, NameEditor());
    PressKey(Qt::Key_Home);
    for (Qt::Key key : {Qt::Key_Delete, Qt::Key_F2, Qt::Key_F5, Qt::Key_F3}) PressKey(key);
    PressKey(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(QString::fromStdU16String(name.substr(1)), NameEditor()->text());
    PressKey(Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(name.substr(1), List().GetItemText(row, 0).str());
    EXPECT_EQ(row, Doc().m_nCurrentValue);
}

// A dialog's field keeps its keys; the main window's commands stay quiet.
TEST_F(KeyboardTest, KeysInADialogBelongToIt) {
    TapKey(u"HKEY_CURRENT_USER\\Mid");
    DriveDialogs<CStringDlg>([](CStringDlg& dlg) {
        TypeInto(dlg, IDC_NAME, "abc");
        PressKey(Qt::Key_Home);
        for (Qt::Key key : {Qt::Key_Delete, Qt::Key_F2, Qt::Key_F5, Qt::Key_F3}) PressKey(key);
        EXPECT_EQ("bc", FieldText(dlg, IDC_NAME));
        PressButton(dlg, IDCANCEL);
    });
    RunCommand(ID_EDIT_NEW_STRING);
    EXPECT_EQ(FindKey(u"HKEY_CURRENT_USER\\Mid"), Doc().m_hCurrentItem);
}

}  // namespace
}  // namespace brackwell::testing
