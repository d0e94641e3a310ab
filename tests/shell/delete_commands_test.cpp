// Delete on a selected key or value: the confirmation, then the store and
// both views; a root key is refused.
#include <gtest/gtest.h>

#include "document/CBrackwellDoc.h"
#include "framework/CTreeCtrl.h"
#include "resources/resource.h"
#include "shell/CBrackwellView.h"
#include "shell/CDetailsView.h"
#include "tests/document/temporary_registry.h"
#include "tests/shell/gui_fixture.h"

namespace brackwell::testing {
namespace {

constexpr UINT kConfirm = MB_OKCANCEL | MB_ICONQUESTION;

class DeleteKeyTest : public GuiTest {};

// The tree hands the selection to the previous sibling, whose values are
// then listed.
TEST_F(DeleteKeyTest, OkDeletesKeyWithSubkeysAndSelectsNeighbour) {
    TapKey(u"HKEY_CURRENT_USER\\Zeta");
    AnswerMessageBoxes(IDOK);
    RunCommand(ID_EDIT_DELETE);
    EXPECT_EQ((std::vector<Box>{{&KeysView(), u"Hit OK to delete Zeta", u"Delete", kConfirm}}),
              Boxes());
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, u"Zeta"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, u"Zeta\\a1"));
    EXPECT_EQ(nullptr, FindKey(u"HKEY_CURRENT_USER\\Zeta"));
    const HTREEITEM mid = FindKey(u"HKEY_CURRENT_USER\\Mid");
    EXPECT_EQ(mid, Tree().GetSelectedItem());
    EXPECT_EQ(mid, Doc().m_hCurrentItem);
    EXPECT_EQ(u"Mid", Doc().m_strKeyPath.str());
}

TEST_F(DeleteKeyTest, ConfirmationNamesThePathBelowTheRoot) {
    TapKey(u"HKEY_LOCAL_MACHINE\\Software\\Empty");
    AnswerMessageBoxes(IDOK);
    RunCommand(ID_EDIT_DELETE);
    EXPECT_EQ(
        (std::vector<Box>{{&KeysView(), u"Hit OK to delete Software\\Empty", u"Delete", kConfirm}}),
        Boxes());
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, u"Software\\Empty"));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, u"Software\\Types"));
}

TEST_F(DeleteKeyTest, CancelKeepsTheKey) {
    TapKey(u"HKEY_LOCAL_MACHINE\\Hardware");
    const HTREEITEM item = FindKey(u"HKEY_LOCAL_MACHINE\\Hardware");
    AnswerMessageBoxes(IDCANCEL);
    RunCommand(ID_EDIT_DELETE);
    EXPECT_EQ(1u, Boxes().size());
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, u"Hardware"));
    EXPECT_EQ(item, FindKey(u"HKEY_LOCAL_MACHINE\\Hardware"));
    EXPECT_EQ(item, Doc().m_hCurrentItem);
}

// Nothing is asked and nothing reaches the store for a root.
TEST_F(DeleteKeyTest, RootIsRefused) {
    TapKey(u"HKEY_USERS");
    AnswerMessageBoxes(IDOK);
    RunCommand(ID_EDIT_DELETE);
    EXPECT_EQ((std::vector<Box>{{&KeysView(), u"Unable to delete the key", u"Error", 16}}),
              Boxes());
    EXPECT_EQ((std::vector<std::u16string>{u"HKEY_CLASSES_ROOT", u"HKEY_CURRENT_USER",
                                           u"HKEY_LOCAL_MACHINE", u"HKEY_USERS"}),
              ChildLabels(nullptr));
}

class DeleteValueTest : public GuiTest {};

TEST_F(DeleteValueTest, OkDeletesValueRowAndSelection) {
    TapKey(u"HKEY_LOCAL_MACHINE\\Software\\Types");
    std::vector<Row> rows = Rows();
    const int row = RowOf(u"Short");
    TapRow(row);
    AnswerMessageBoxes(IDOK);
    TapToolButton(ID_EDIT_DELETE);
    EXPECT_EQ((std::vector<Box>{{&ValuesView(), u"Hit OK to delete Software\\Types\\Short",
                                 u"Delete", kConfirm}}),
              Boxes());
    EXPECT_FALSE(ReadStoredValue(HKEY_LOCAL_MACHINE, u"Software\\Types", u"Short"));
    rows.erase(rows.begin() + row);
    EXPECT_EQ(rows, Rows());
    // Nothing is selected: neither the value nor the key that held it.
    EXPECT_EQ(-1, Doc().m_nCurrentValue);
    EXPECT_EQ(nullptr, Doc().m_hCurrentItem);
    for (UINT id : {ID_EDIT_MODIFY, ID_EDIT_RENAME, ID_EDIT_NEW_KEY, ID_EDIT_NEW_STRING})
        EXPECT_FALSE(IsCommandEnabled(id)) << id;
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, u"Software\\Types"));
}

// The listed key's path is empty at a root, so the name follows the backslash.
TEST_F(DeleteValueTest, ValueOfARootIsNamedAfterABackslash) {
    TapKey(u"HKEY_CLASSES_ROOT");
    TapRow(RowOf(u"RootText"));
    AnswerMessageBoxes(IDOK);
    RunCommand(ID_EDIT_DELETE);
    EXPECT_EQ(
        (std::vector<Box>{{&ValuesView(), u"Hit OK to delete \\RootText", u"Delete", kConfirm}}),
        Boxes());
    EXPECT_FALSE(ReadStoredValue(HKEY_CLASSES_ROOT, u"", u"RootText"));
    EXPECT_EQ(-1, RowOf(u"RootText"));
}

TEST_F(DeleteValueTest, CancelKeepsTheValue) {
    TapKey(u"HKEY_LOCAL_MACHINE\\Software\\Types");
    const std::vector<Row> rows = Rows();
    const int row = RowOf(u"Text");
    TapRow(row);
    AnswerMessageBoxes(IDCANCEL);
    RunCommand(ID_EDIT_DELETE);
    EXPECT_EQ(1u, Boxes().size());
    EXPECT_EQ(rows, Rows());
    EXPECT_TRUE(ReadStoredValue(HKEY_LOCAL_MACHINE, u"Software\\Types", u"Text"));
    EXPECT_EQ(row, Doc().m_nCurrentValue);
}

}  // namespace
}  // namespace brackwell::testing
