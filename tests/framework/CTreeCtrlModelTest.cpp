// The tree control against the item model its view shows: whatever the
// control is told, the view's rows, texts and current row follow.

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QTest>
#include <QTreeView>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/framework/TestSupport.h"

namespace {

constexpr UINT kTreeId = 100;

using Paths = std::vector<std::string>;

// Every item as "parent/child" paths in pre-order, as the control tells it.
void ControlPaths(const CTreeCtrl& tree, HTREEITEM first, const std::string& prefix, Paths* paths) {
    for (HTREEITEM item = first; item; item = tree.GetNextSiblingItem(item)) {
        const std::string path = prefix + tree.GetItemText(item).ToQString().toStdString();
        paths->push_back(path);
        ControlPaths(tree, tree.GetChildItem(item), path + "/", paths);
    }
}

// The same as the view's model tells it.
void ModelPaths(const QAbstractItemModel& model, const QModelIndex& parent,
                const std::string& prefix, Paths* paths) {
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        const std::string path = prefix + index.data().toString().toStdString();
        paths->push_back(path);
        ModelPaths(model, index, path + "/", paths);
    }
}

// The path of the row an index names by its row and parent, as the view
// finds it.
std::string PathOf(const QModelIndex& index) {
    if (!index.isValid()) return "";
    const QModelIndex row = index.model()->index(index.row(), 0, index.parent());
    return PathOf(index.parent()) + "/" + row.data().toString().toStdString();
}

// Model inconsistencies the tester reports as warnings.
std::vector<std::string> g_modelFaults;

void RecordModelFault(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtDebugMsg && context.category && std::string(context.category) == "qt.modeltest")
        g_modelFaults.push_back(message.toStdString());
}

struct Sample {
    HTREEITEM root = nullptr, a = nullptr, a1 = nullptr, b = nullptr, c = nullptr;
};

struct ModelCase {
    const char* fault;
    std::function<void(CTreeCtrl&, Sample&)> act;
    friend void PrintTo(const ModelCase& row, std::ostream* os) { *os << row.fault; }
};

class TreeModelContract : public testing::TestWithParam<ModelCase> {
protected:
    void SetUp() override {
        const RECT rect{0, 0, 200, 200};
        ASSERT_TRUE(tree.CreateEx(0, WC_TREEVIEW, nullptr, WS_CHILD | WS_VISIBLE | TVS_LINESATROOT,
                                  rect, &parent, kTreeId));
        parent.tree = &tree;
        parent.m_hWnd->show();
        g_modelFaults.clear();
        previousHandler = qInstallMessageHandler(RecordModelFault);
    }
    void TearDown() override { qInstallMessageHandler(previousHandler); }

    QTreeView* View() const { return static_cast<QTreeView*>(tree.m_hWnd); }

    CNotifyRecorder parent;
    CTreeCtrl tree;
    QtMessageHandler previousHandler = nullptr;
};

// root ─┬ a ─ a1
//       ├ b
//       └ c
void Fill(CTreeCtrl& tree, Sample& s) {
    s.root = tree.InsertItem(u"root");
    s.a = tree.InsertItem(u"a", s.root);
    s.a1 = tree.InsertItem(u"a1", s.a);
    s.b = tree.InsertItem(u"b", s.root);
    s.c = tree.InsertItem(u"c", s.root);
}

TEST_P(TreeModelContract, TheViewShowsWhatTheControlHolds) {
    QAbstractItemModelTester tester(View()->model(),
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    Sample sample;
    GetParam().act(tree, sample);
    const std::string viewCaret = PathOf(View()->currentIndex());

    Paths held, shown;
    ControlPaths(tree, tree.GetRootItem(), "", &held);
    ModelPaths(*View()->model(), QModelIndex(), "", &shown);
    EXPECT_EQ(shown, held);
    EXPECT_EQ(g_modelFaults, std::vector<std::string>{});
    Paths caret;
    if (HTREEITEM item = tree.GetSelectedItem()) {
        for (; item; item = tree.GetParentItem(item))
            caret.insert(caret.begin(), tree.GetItemText(item).ToQString().toStdString());
    }
    std::string caretPath;
    for (const std::string& name : caret) caretPath += "/" + name;
    EXPECT_EQ(viewCaret, caretPath) << "the view's current row is not the caret";
}

INSTANTIATE_TEST_SUITE_P(CTreeCtrl, TreeModelContract,
                         testing::Values(ModelCase{"FillOfAnEmptyTreeShownOnceSelected",
                                                   [](CTreeCtrl& t, Sample& s) {
                                                       Fill(t, s);
                                                       t.SelectItem(s.a1);
                                                   }},
                                         ModelCase{"FillShownWhenTheEventLoopRuns",
                                                   [](CTreeCtrl& t, Sample& s) {
                                                       Fill(t, s);
                                                       Spin();
                                                   }},
                                         ModelCase{"InsertsIntoAShownTreeShown",
                                                   [](CTreeCtrl& t, Sample& s) {
                                                       Fill(t, s);
                                                       t.SelectItem(s.b);
                                                       t.InsertItem(u"a2", s.a);
                                                       t.InsertItem(u"b1", s.b);
                                                       t.InsertItem(u"top");
                                                   }},
                                         ModelCase{"SortKeepsTheCaretOnItsItem",
                                                   [](CTreeCtrl& t, Sample& s) {
                                                       Fill(t, s);
                                                       t.Expand(s.root, TVE_EXPAND);
                                                       t.SelectItem(s.c);
                                                       t.InsertItem(u"B", s.root);
                                                       t.SortChildren(s.root);
                                                   }},
                                         ModelCase{"DeleteMovesTheRowsAfterIt",
                                                   [](CTreeCtrl& t, Sample& s) {
                                                       Fill(t, s);
                                                       t.SelectItem(s.c);
                                                       t.DeleteItem(s.a);
                                                       t.InsertItem(u"d", s.root);
                                                   }},
                                         ModelCase{"RefillReplacesEveryRow",
                                                   [](CTreeCtrl& t, Sample& s) {
                                                       Fill(t, s);
                                                       t.SelectItem(s.a1);
                                                       t.DeleteAllItems();
                                                       Sample again;
                                                       t.InsertItem(u"other");
                                                       Fill(t, again);
                                                       t.SortChildren(TVI_ROOT);
                                                       t.SelectItem(again.b);
                                                   }},
                                         ModelCase{"RefillShownWhenTheEventLoopRuns",
                                                   [](CTreeCtrl& t, Sample& s) {
                                                       Fill(t, s);
                                                       t.SelectItem(s.c);
                                                       t.DeleteAllItems();
                                                       Fill(t, s);
                                                       Spin();
                                                   }},
                                         ModelCase{"DeleteWhileARefillIsPending",
                                                   [](CTreeCtrl& t, Sample& s) {
                                                       Fill(t, s);
                                                       t.DeleteItem(s.b);
                                                       t.SelectItem(s.c);
                                                   }}),
                         [](const testing::TestParamInfo<ModelCase>& info) {
                             return info.param.fault;
                         });

class TreeNotices : public TreeModelContract {};

TEST_F(TreeNotices, NoNoticeWhileFillingAndOneWithTheItemsDataWhenSelected) {
    Sample s;
    Fill(tree, s);
    tree.SetItemData(s.root, 0x80000001u);
    EXPECT_TRUE(parent.records.empty());
    tree.SelectItem(s.root);
    ASSERT_EQ(parent.records.size(), 1u);
    EXPECT_EQ(parent.records[0].hNew, s.root);
    EXPECT_EQ(parent.records[0].newData, LPARAM(0x80000001u));

    parent.records.clear();
    tree.DeleteAllItems();  // the caret goes without a notice
    Fill(tree, s);
    EXPECT_EQ(tree.GetSelectedItem(), nullptr);
    EXPECT_TRUE(parent.records.empty());
}

TEST_F(TreeNotices, KeyboardMovesNotifyLikeTaps) {
    Sample s;
    Fill(tree, s);
    tree.SelectItem(s.a);
    parent.records.clear();
    View()->setFocus();
    QTest::keyClick(View(), Qt::Key_Down);  // past a's collapsed child
    QTest::keyClick(View(), Qt::Key_Down);
    ASSERT_EQ(parent.Codes(), (std::vector<UINT>{TVN_SELCHANGED, TVN_SELCHANGED}));
    EXPECT_EQ(parent.records[0].hOld, s.a);
    EXPECT_EQ(parent.records[0].hNew, s.b);
    EXPECT_EQ(parent.records[1].hNew, s.c);
    EXPECT_EQ(parent.records[1].caretDuringNotify, s.c);
}

TEST_F(TreeNotices, EqualTextsSortByCaseThenKeepTheirOrder) {
    const HTREEITEM top = tree.InsertItem(u"top");
    const HTREEITEM lowerFirst = tree.InsertItem(u"x", top);
    const HTREEITEM upper = tree.InsertItem(u"X", top);
    const HTREEITEM lowerSecond = tree.InsertItem(u"x", top);
    const HTREEITEM early = tree.InsertItem(u"W", top);
    ASSERT_TRUE(tree.SortChildren(top));
    std::vector<HTREEITEM> order;
    for (HTREEITEM i = tree.GetChildItem(top); i; i = tree.GetNextSiblingItem(i))
        order.push_back(i);
    EXPECT_EQ(order, (std::vector<HTREEITEM>{early, upper, lowerFirst, lowerSecond}));
}

}  // namespace
