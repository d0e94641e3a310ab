// The list control against the item model its view shows, the selection
// queries a long list answers without a scan, and labels measured once.

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QListView>
#include <QTreeView>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/framework/TestSupport.h"

namespace {

constexpr UINT kListId = 200;

using Rows = std::vector<std::string>;

std::vector<std::string> g_modelFaults;

void RecordModelFault(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtDebugMsg && context.category && std::string(context.category) == "qt.modeltest")
        g_modelFaults.push_back(message.toStdString());
}

class ListModelTest : public testing::Test {
protected:
    void Create(DWORD style, bool shown = true) {
        const RECT rect{0, 0, 240, 200};
        ASSERT_TRUE(list.CreateEx(0, WC_LISTVIEW, nullptr, WS_CHILD | WS_VISIBLE | style, rect,
                                  &parent, kListId));
        parent.list = &list;
        if (shown) parent.m_hWnd->show();
        g_modelFaults.clear();
        previousHandler = qInstallMessageHandler(RecordModelFault);
    }
    void TearDown() override {
        if (previousHandler) qInstallMessageHandler(previousHandler);
    }

    QAbstractItemView* View() const { return static_cast<QAbstractItemView*>(list.m_hWnd); }

    // Every row as "name|data", as the control tells it and as the view's
    // model tells it.
    Rows Held() const {
        Rows rows;
        for (int i = 0; i < list.GetItemCount(); ++i)
            rows.push_back(list.GetItemText(i, 0).ToQString().toStdString() + "|" +
                           list.GetItemText(i, 1).ToQString().toStdString());
        return rows;
    }
    Rows Shown() const {
        const QAbstractItemModel& model = *View()->model();
        Rows rows;
        for (int i = 0; i < model.rowCount(); ++i)
            rows.push_back(model.index(i, 0).data().toString().toStdString() + "|" +
                           model.index(i, 1).data().toString().toStdString());
        return rows;
    }

    CNotifyRecorder parent;
    CListCtrl list;
    QtMessageHandler previousHandler = nullptr;
};

struct ListCase {
    const char* fault;
    bool shown;  // whether the list is on screen while filled
    std::function<void(CListCtrl&)> act;
    friend void PrintTo(const ListCase& row, std::ostream* os) { *os << row.fault; }
};

void Fill(CListCtrl& list, int rows) {
    for (int i = 0; i < rows; ++i) {
        CString name;
        name.Format(u"v%d", i);
        list.InsertItem(list.GetItemCount(), name, 0);
        list.SetItemText(i, 1, u"data");
    }
}

class ListModelContract : public ListModelTest, public testing::WithParamInterface<ListCase> {};

TEST_P(ListModelContract, TheViewShowsWhatTheControlHolds) {
    Create(LVS_REPORT | LVS_SINGLESEL | LVS_EDITLABELS, GetParam().shown);
    list.InsertColumn(0, u"Name", LVCFMT_LEFT, 100);
    list.InsertColumn(1, u"Data", LVCFMT_LEFT, 120);
    QAbstractItemModelTester tester(View()->model(),
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    GetParam().act(list);
    parent.m_hWnd->show();
    const QModelIndex viewFocus = View()->currentIndex();
    EXPECT_EQ(viewFocus.isValid() ? viewFocus.row() : -1, list.GetNextItem(-1, LVNI_FOCUSED))
        << "the view's current row is not the focused row";
    Spin();
    EXPECT_EQ(Shown(), Held());
    EXPECT_EQ(g_modelFaults, std::vector<std::string>{});
    const int last = list.GetItemCount() - 1;
    if (last >= 0) {
        list.EnsureVisible(last, FALSE);
        const QRect rect = View()->visualRect(View()->model()->index(last, 0));
        EXPECT_TRUE(View()->viewport()->rect().intersects(rect)) << "the last row is not laid out";
    }
}

INSTANTIATE_TEST_SUITE_P(
    CListCtrl, ListModelContract,
    testing::Values(
        ListCase{"FillWhileHiddenShownOnceOnScreen", false, [](CListCtrl& l) { Fill(l, 40); }},
        ListCase{"FillOnScreenShown", true, [](CListCtrl& l) { Fill(l, 40); }},
        ListCase{"RefillWhileHiddenReplacesEveryRow", false,
                 [](CListCtrl& l) {
                     Fill(l, 40);
                     l.SetItemState(3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
                     l.DeleteAllItems();
                     Fill(l, 5);
                 }},
        ListCase{"FocusSetWhileHiddenShown", false,
                 [](CListCtrl& l) {
                     Fill(l, 40);
                     l.SetItemState(39, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
                 }},
        ListCase{"InsertsAndDeletesAmongRowsShown", true,
                 [](CListCtrl& l) {
                     Fill(l, 5);
                     l.InsertItem(0, u"first");
                     l.InsertItem(3, u"middle");
                     l.DeleteItem(1);
                     l.SetItemText(0, 1, u"changed");
                 }},
        ListCase{"ManyTextChangesKeepEveryText", true,
                 [](CListCtrl& l) {
                     Fill(l, 4);  // the last row keeps its first texts
                     CString text;
                     for (int i = 0; i < 20000; ++i) {
                         text.Format(u"text %d", i);
                         l.SetItemText(i % 3, i % 2, text);
                     }
                     EXPECT_EQ(l.GetItemText(3, 0), CString(u"v3"));
                     EXPECT_EQ(l.GetItemText(3, 1), CString(u"data"));
                     EXPECT_EQ(l.GetItemText(1, 1), CString(u"text 19999"));
                 }}),
    [](const testing::TestParamInfo<ListCase>& info) { return info.param.fault; });

TEST_F(ListModelTest, AHiddenRefillNeitherNotifiesNorKeepsTheOldSelection) {
    Create(LVS_REPORT | LVS_SINGLESEL, false);
    Fill(list, 10);
    list.SetItemState(4, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    parent.records.clear();
    list.DeleteAllItems();
    Fill(list, 10);
    EXPECT_TRUE(parent.records.empty());
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), -1);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_FOCUSED), -1);
}

// What scanning every row's state from after nItem would find.
int ScanNext(const CListCtrl& list, int nItem, int nFlags) {
    for (int row = std::max(nItem + 1, 0); row < list.GetItemCount(); ++row) {
        const UINT state = list.GetItemState(row, LVIS_SELECTED | LVIS_FOCUSED);
        if ((nFlags & LVNI_SELECTED) && !(state & LVIS_SELECTED)) continue;
        if ((nFlags & LVNI_FOCUSED) && !(state & LVIS_FOCUSED)) continue;
        return row;
    }
    return -1;
}

struct SelectionCase {
    const char* fault;
    DWORD style;
    std::vector<int> selected;
    int focused;
    friend void PrintTo(const SelectionCase& row, std::ostream* os) { *os << row.fault; }
};

class NextItem : public ListModelTest, public testing::WithParamInterface<SelectionCase> {};

TEST_P(NextItem, FindsWhatAScanOfEveryRowFinds) {
    Create(LVS_REPORT | GetParam().style);
    Fill(list, 8);
    for (int row : GetParam().selected) list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    if (GetParam().focused >= 0) list.SetItemState(GetParam().focused, LVIS_FOCUSED, LVIS_FOCUSED);
    for (int flags : {LVNI_ALL, LVNI_SELECTED, LVNI_FOCUSED, LVNI_SELECTED | LVNI_FOCUSED})
        for (int after = -2; after < 9; ++after)
            EXPECT_EQ(list.GetNextItem(after, flags), ScanNext(list, after, flags))
                << "after " << after << ", flags " << flags;
}

INSTANTIATE_TEST_SUITE_P(
    CListCtrl, NextItem,
    testing::Values(SelectionCase{"NothingSelected", LVS_SINGLESEL, {}, -1},
                    SelectionCase{"OneSelectedAndFocused", LVS_SINGLESEL, {5}, 5},
                    SelectionCase{"FocusWithoutSelection", LVS_SINGLESEL, {2}, 6},
                    SelectionCase{"SeveralRangesSelected", 0, {1, 2, 3, 6}, 2},
                    SelectionCase{"LastRowSelected", LVS_SINGLESEL, {7}, -1}),
    [](const testing::TestParamInfo<SelectionCase>& info) { return info.param.fault; });

TEST_F(ListModelTest, IconLabelsKeepTheirOwnWidthsAndFollowTheFont) {
    Create(LVS_ICON | LVS_SINGLESEL | LVS_EDITLABELS);
    const std::vector<const char16_t*> labels{u"1", u"WWWWWW", u"ii", u"WWWWWW", u"1"};
    for (int i = 0; i < int(labels.size()); ++i) list.InsertItem(i, labels[std::size_t(i)]);
    Spin();
    auto widths = [this] {
        std::vector<int> result;
        for (int i = 0; i < list.GetItemCount(); ++i)
            result.push_back(View()->visualRect(View()->model()->index(i, 0)).width());
        return result;
    };
    const std::vector<int> before = widths();
    for (int i = 0; i < int(labels.size()); ++i)
        EXPECT_GE(before[std::size_t(i)], View()->fontMetrics().horizontalAdvance(
                                              QString::fromUtf16(labels[std::size_t(i)])))
            << "label " << i << " is cut";
    EXPECT_EQ(before[0], before[4]);
    EXPECT_LT(before[0], before[1]);

    QFont larger = View()->font();
    larger.setPointSize(larger.pointSize() * 2);
    View()->setFont(larger);
    Spin();
    const std::vector<int> after = widths();
    for (std::size_t i = 0; i < labels.size(); ++i)
        EXPECT_GT(after[i], before[i]) << "label " << i << " kept its size for the old font";
}

}  // namespace
