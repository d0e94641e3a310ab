// The key tree as the program fills it from the registry at start-up, and
// what selecting a key in it lists.
#include <gtest/gtest.h>

#include "document/CBrackwellDoc.h"
#include "document/KeyPathCursor.h"
#include "document/RootKeyTable.h"
#include "framework/CTreeCtrl.h"
#include "resources/resource.h"
#include "shell/CBrackwellView.h"
#include "tests/shell/gui_fixture.h"

namespace brackwell::testing {
namespace {

class KeyTreeTest : public GuiTest {};

TEST_F(KeyTreeTest, RootsInTableOrderEvenWhenEmpty) {
    EXPECT_EQ((std::vector<std::u16string>{u"HKEY_CLASSES_ROOT", u"HKEY_CURRENT_USER",
                                           u"HKEY_LOCAL_MACHINE", u"HKEY_USERS"}),
              ChildLabels(nullptr));
    EXPECT_EQ(std::vector<std::u16string>{}, ChildLabels(FindKey(u"HKEY_USERS")));
    for (const RootKeyEntry& root : RootKeyTable) {
        EXPECT_EQ(root.hItem, FindKey(root.pszName));
        EXPECT_EQ(reinterpret_cast<DWORD_PTR>(root.hKey), Tree().GetItemData(root.hItem));
    }
}

TEST_F(KeyTreeTest, FirstLevelSortedDeeperLevelsInStoreOrder) {
    EXPECT_EQ((std::vector<std::u16string>{u"alpha", u"Mid", u"Zeta"}),
              ChildLabels(FindKey(u"HKEY_CURRENT_USER")));
    EXPECT_EQ((std::vector<std::u16string>{u"b2", u"a1"}),
              ChildLabels(FindKey(u"HKEY_CURRENT_USER\\Zeta")));
    EXPECT_EQ((std::vector<std::u16string>{u"Types", u"Empty", u"Rename"}),
              ChildLabels(FindKey(u"HKEY_LOCAL_MACHINE\\Software")));
}

TEST_F(KeyTreeTest, StartsWithFirstRootSelectedAndItsValuesListed) {
    EXPECT_EQ(FindKey(u"HKEY_CLASSES_ROOT"), Tree().GetSelectedItem());
    EXPECT_EQ(FindKey(u"HKEY_CLASSES_ROOT"), Doc().m_hCurrentItem);
    EXPECT_EQ(-1, Doc().m_nCurrentValue);
    EXPECT_EQ(HKEY_CLASSES_ROOT, Doc().m_hRootKey);
    EXPECT_EQ(u"", Doc().m_strKeyPath.str());
    EXPECT_EQ((std::vector<Row>{{u"RootText", u"at the root", 0}}), Rows());
}

TEST_F(KeyTreeTest, TappingKeysListsThemByPathBelowTheirRoot) {
    TapKey(u"HKEY_CURRENT_USER\\Zeta\\a1");
    EXPECT_EQ(HKEY_CURRENT_USER, Doc().m_hRootKey);
    EXPECT_EQ(u"Zeta\\a1", Doc().m_strKeyPath.str());
    EXPECT_EQ(FindKey(u"HKEY_CURRENT_USER\\Zeta\\a1"), Doc().m_hCurrentItem);

    TapKey(u"HKEY_CLASSES_ROOT\\.txt");
    EXPECT_EQ(u".txt", Doc().m_strKeyPath.str());
    EXPECT_EQ((std::vector<Row>{{u"", u"txtfile", 0}}), Rows());

    TapKey(u"HKEY_LOCAL_MACHINE");
    EXPECT_EQ(HKEY_LOCAL_MACHINE, Doc().m_hRootKey);
    EXPECT_EQ(u"", Doc().m_strKeyPath.str());
    EXPECT_EQ(std::vector<Row>{}, Rows());
    EXPECT_EQ(-1, Doc().m_nCurrentValue);
    EXPECT_EQ(-1, SelectedRow());
}

TEST_F(KeyTreeTest, KeyPathOfRootItemIsItsLabelAndLeavesRootAlone) {
    CString path;
    HKEY root = HKEY_USERS;
    Doc().GetKeyPath(&KeysView(), FindKey(u"HKEY_LOCAL_MACHINE"), path, root);
    EXPECT_EQ(u"HKEY_LOCAL_MACHINE", path.str());
    EXPECT_EQ(HKEY_USERS, root);
}

// The search's cursor gives every key the path and root GetKeyPath gives it,
// whether the walk goes down, across, back up or jumps elsewhere.
TEST_F(KeyTreeTest, PathCursorAgreesWithGetKeyPathInAnyOrder) {
    std::vector<HTREEITEM> preorder;
    for (HTREEITEM item = Tree().GetRootItem(); item;) {
        preorder.push_back(item);
        HTREEITEM next = Tree().GetChildItem(item);
        for (HTREEITEM up = item; !next && up; up = Tree().GetParentItem(up))
            next = Tree().GetNextSiblingItem(up);
        item = next;
    }
    ASSERT_GT(preorder.size(), 12u);
    std::vector<HTREEITEM> backwards(preorder.rbegin(), preorder.rend());
    for (const auto& order : {preorder, backwards}) {
        KeyPathCursor cursor;
        for (HTREEITEM item : order) {
            CString expectedPath;
            HKEY expectedRoot = reinterpret_cast<HKEY>(Tree().GetItemData(item));
            if (Tree().GetParentItem(item))
                Doc().GetKeyPath(&KeysView(), item, expectedPath, expectedRoot);
            HKEY root = nullptr;
            EXPECT_EQ(expectedPath.str(),
                      cursor.PathOf(Tree(), item, Tree().GetItemText(item), root).str());
            EXPECT_EQ(expectedRoot, root);
        }
    }
}

// A key another program wrote with a name the store refuses: the registry
// cannot be read until it is mended, and Refresh says so instead of showing
// four empty roots in silence.
TEST_F(KeyTreeTest, ARegistryThatCannotBeReadIsToldOnRefresh) {
    ChangeRegistryFile(
        "INSERT INTO keys(parent, name, folded) VALUES(2, x'61005C006200', x'41005C004200')");
    AnswerMessageBoxes(IDOK);
    RunCommand(ID_VIEW_REFRESH);
    EXPECT_EQ(std::vector<std::u16string>{}, ChildLabels(FindKey(u"HKEY_CURRENT_USER")));
    ASSERT_EQ(2u, Boxes().size());
    EXPECT_EQ((Box{&KeysView(), u"Unable to read the keys below HKEY_CLASSES_ROOT", u"Error",
                   MB_ICONHAND}),
              Boxes()[0]);
    EXPECT_EQ(u"Unable to read the values of HKEY_CLASSES_ROOT", Boxes()[1].text);

    ChangeRegistryFile("DELETE FROM keys WHERE name = x'61005C006200'");
    RunCommand(ID_VIEW_REFRESH);
    EXPECT_EQ((std::vector<std::u16string>{u"alpha", u"Mid", u"Zeta"}),
              ChildLabels(FindKey(u"HKEY_CURRENT_USER")));
    EXPECT_EQ(2u, Boxes().size());
}

}  // namespace
}  // namespace brackwell::testing
