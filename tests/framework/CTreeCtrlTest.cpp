#include <gtest/gtest.h>

#include <QTreeView>

#include "tests/framework/TestSupport.h"

namespace {

constexpr UINT kTreeId = 100;

class CTreeCtrlTest : public testing::Test {
protected:
    void SetUp() override {
        const RECT rect{0, 0, 200, 200};
        ASSERT_TRUE(tree.CreateEx(0, WC_TREEVIEW, nullptr, WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT,
                                  rect, &parent, kTreeId));
        parent.tree = &tree;
    }

    // root ─┬ a ─ a1
    //       ├ b
    //       └ c
    void BuildSample() {
        root = tree.InsertItem(u"root");
        a = tree.InsertItem(u"a", root);
        a1 = tree.InsertItem(u"a1", a);
        b = tree.InsertItem(u"b", root);
        c = tree.InsertItem(u"c", root);
    }

    CNotifyRecorder parent;
    CTreeCtrl tree;
    HTREEITEM root = nullptr, a = nullptr, a1 = nullptr, b = nullptr, c = nullptr;
};

TEST_F(CTreeCtrlTest, SelectItemNotifiesBeforeReturningWithTheNewCaret) {
    BuildSample();
    ASSERT_TRUE(tree.SelectItem(b));
    ASSERT_EQ(parent.records.size(), 1u);
    EXPECT_EQ(parent.records[0].code, TVN_SELCHANGED);
    EXPECT_EQ(parent.records[0].id, kTreeId);
    EXPECT_EQ(parent.records[0].hNew, b);
    EXPECT_EQ(parent.records[0].caretDuringNotify, b);

    tree.SelectItem(b);  // no change, no notice
    EXPECT_EQ(parent.records.size(), 1u);
    tree.SelectItem(a1);  // hidden below a collapsed parent
    ASSERT_EQ(parent.records.size(), 2u);
    EXPECT_EQ(parent.records[1].hOld, b);
    EXPECT_EQ(tree.GetNextItem(nullptr, TVGN_CARET), a1);
}

TEST_F(CTreeCtrlTest, UserClickNotifiesLikeSelectItem) {
    BuildSample();
    tree.Expand(root, TVE_EXPAND);
    parent.m_hWnd->show();
    auto* widget = static_cast<QTreeView*>(tree.m_hWnd);
    const QRect rect =
        widget->visualRect(widget->model()->index(1, 0, widget->model()->index(0, 0)));
    Click(widget->viewport(), rect.center());
    ASSERT_EQ(parent.Codes(), std::vector<UINT>{TVN_SELCHANGED});
    EXPECT_EQ(parent.records[0].hNew, b);
    EXPECT_EQ(parent.records[0].caretDuringNotify, b);
}

struct CaretRow {
    const char* fault;
    const char* deleted;
    const char* expectedCaret;
};

class CaretAfterDelete : public CTreeCtrlTest, public testing::WithParamInterface<CaretRow> {
protected:
    HTREEITEM ByName(const std::string& name) {
        if (name == "root") return root;
        if (name == "a") return a;
        if (name == "a1") return a1;
        if (name == "b") return b;
        if (name == "c") return c;
        return nullptr;
    }
};

TEST_P(CaretAfterDelete, MovesAndNotifiesAtOnce) {
    BuildSample();
    const CaretRow& row = GetParam();
    HTREEITEM deleted = ByName(row.deleted);
    tree.SelectItem(deleted == a ? a1 : deleted);  // a's case: the caret sits below it
    parent.records.clear();

    ASSERT_TRUE(tree.DeleteItem(deleted));
    HTREEITEM expected = ByName(row.expectedCaret);
    EXPECT_EQ(tree.GetSelectedItem(), expected);
    ASSERT_EQ(parent.records.size(), 1u);
    EXPECT_EQ(parent.records[0].hNew, expected);
    EXPECT_EQ(parent.records[0].caretDuringNotify, expected);
    EXPECT_EQ(tree.GetItemText(deleted), CString());
    EXPECT_FALSE(tree.SelectItem(deleted));
}

INSTANTIATE_TEST_SUITE_P(
    CTreeCtrl, CaretAfterDelete,
    testing::Values(CaretRow{"NextSiblingFirst", "b", "c"}, CaretRow{"PreviousSiblingWhenLast", "c", "b"},
                    CaretRow{"ParentWhenOnlyChild", "a1", "a"},
                    CaretRow{"CaretBelowDeletedBranch", "a", "b"}),
    [](const testing::TestParamInfo<CaretRow>& info) { return info.param.fault; });

TEST_F(CTreeCtrlTest, CollapsingTheCaretsBranchSelectsTheCollapsedItem) {
    BuildSample();
    tree.SelectItem(a1);
    parent.records.clear();
    auto* widget = static_cast<QTreeView*>(tree.m_hWnd);
    widget->collapse(widget->model()->index(0, 0));  // as a tap on the branch's button does
    EXPECT_EQ(tree.GetSelectedItem(), root);
    ASSERT_EQ(parent.records.size(), 1u);
    EXPECT_EQ(parent.records[0].hNew, root);
}

TEST_F(CTreeCtrlTest, DeletingItemsAwayFromTheCaretIsSilent) {
    BuildSample();
    tree.SelectItem(b);
    parent.records.clear();
    ASSERT_TRUE(tree.DeleteItem(a));
    EXPECT_TRUE(parent.records.empty());
    EXPECT_EQ(tree.GetSelectedItem(), b);
    EXPECT_EQ(tree.GetCount(), 3u);
    EXPECT_FALSE(tree.DeleteItem(a1));  // went with its parent
}

TEST_F(CTreeCtrlTest, HandlesAreNeverReused) {
    BuildSample();
    tree.SelectItem(b);
    const HTREEITEM oldItems[] = {root, a, a1, b, c};
    parent.records.clear();
    ASSERT_TRUE(tree.DeleteAllItems());
    EXPECT_TRUE(parent.records.empty());
    EXPECT_EQ(tree.GetSelectedItem(), nullptr);
    EXPECT_EQ(tree.GetCount(), 0u);
    std::vector<HTREEITEM> fresh;
    for (int i = 0; i < 10; ++i) fresh.push_back(tree.InsertItem(u"n"));
    for (HTREEITEM old : oldItems) {
        for (HTREEITEM now : fresh) EXPECT_NE(old, now);
        EXPECT_EQ(tree.GetItemData(old), 0u);
        EXPECT_FALSE(tree.SetItemData(old, 1));
        EXPECT_EQ(tree.GetNextItem(old, TVGN_PARENT), nullptr);
    }
    EXPECT_FALSE(tree.DeleteItem(oldItems[0]));
    EXPECT_EQ(tree.GetCount(), 10u);
}

TEST_F(CTreeCtrlTest, SortChildrenSortsOneLevelIgnoringCase) {
    HTREEITEM top = tree.InsertItem(u"top");
    HTREEITEM zeta = tree.InsertItem(u"zeta", top);
    tree.InsertItem(u"Alpha", top);
    tree.InsertItem(u"beta", top);
    tree.InsertItem(u"z2", zeta);
    tree.InsertItem(u"z1", zeta);
    ASSERT_TRUE(tree.SortChildren(top));

    std::vector<std::u16string> order;
    for (HTREEITEM i = tree.GetChildItem(top); i; i = tree.GetNextSiblingItem(i))
        order.push_back(tree.GetItemText(i).str());
    EXPECT_EQ(order, (std::vector<std::u16string>{u"Alpha", u"beta", u"zeta"}));
    HTREEITEM first = tree.GetChildItem(zeta);
    EXPECT_EQ(tree.GetItemText(first), CString(u"z2"));  // the level below keeps its order
    EXPECT_EQ(tree.GetParentItem(first), zeta);
}

TEST_F(CTreeCtrlTest, ItemDataImagesAndNavigation) {
    BuildSample();
    ASSERT_TRUE(tree.SetItemData(root, 0x80000002u));
    ASSERT_TRUE(tree.SetItemImage(root, 0, 0));
    EXPECT_EQ(tree.GetItemData(root), 0x80000002u);
    EXPECT_EQ(tree.GetRootItem(), root);
    EXPECT_EQ(tree.GetNextItem(a, TVGN_NEXT), b);
    EXPECT_EQ(tree.GetNextItem(c, TVGN_NEXT), nullptr);
    EXPECT_EQ(tree.GetNextItem(root, TVGN_PARENT), nullptr);
    EXPECT_EQ(tree.GetChildItem(a), a1);
    EXPECT_EQ(tree.GetChildItem(b), nullptr);
    EXPECT_EQ(tree.GetCount(), 5u);
}

}  // namespace
