#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

#include "tests/framework/TestSupport.h"

namespace {

constexpr UINT kListId = 200;

class CListCtrlTest : public testing::Test {
protected:
    void Create(DWORD style) {
        const RECT rect{0, 0, 240, 200};
        ASSERT_TRUE(list.CreateEx(0, WC_LISTVIEW, nullptr, WS_CHILD | WS_VISIBLE | style, rect, &parent, kListId));
        parent.list = &list;
        parent.m_hWnd->show();
    }

    void CreateReport() {
        Create(LVS_REPORT | LVS_SINGLESEL | LVS_EDITLABELS);
        list.InsertColumn(0, u"Name", LVCFMT_LEFT, 100);
        list.InsertColumn(1, u"Data", LVCFMT_LEFT, 120);
        for (int i = 0; i < 3; ++i) {
            CString name;
            name.Format(u"value%d", i);
            ASSERT_EQ(list.InsertItem(i, name, 0), i);
            list.SetItemText(i, 1, u"data");
        }
    }

    QAbstractItemView* View() const { return static_cast<QAbstractItemView*>(list.m_hWnd); }
    QPoint RowCenter(int row) const {
        return View()->visualRect(View()->model()->index(row, 0)).center();
    }
    QLineEdit* Editor() const { return View()->findChild<QLineEdit*>(); }

    CNotifyRecorder parent;
    CListCtrl list;
};

TEST_F(CListCtrlTest, EndOfEditReportsTextButNeverAppliesItUnasked) {
    CreateReport();
    ASSERT_NE(list.EditLabel(1), nullptr);
    ASSERT_EQ(parent.Codes(), std::vector<UINT>{LVN_BEGINLABELEDIT});
    EXPECT_EQ(parent.records[0].item, 1);
    ASSERT_NE(Editor(), nullptr);
    Editor()->setText(QStringLiteral("renamed"));
    QTest::keyClick(Editor(), Qt::Key_Return);
    Spin();  // the editor commits from the event loop

    ASSERT_EQ(parent.Codes(), (std::vector<UINT>{LVN_BEGINLABELEDIT, LVN_ENDLABELEDIT}));
    EXPECT_EQ(parent.records[1].item, 1);
    ASSERT_TRUE(parent.records[1].hasText);
    EXPECT_EQ(parent.records[1].text, CString(u"renamed"));
    EXPECT_EQ(list.GetItemText(1, 0), CString(u"value1"));  // handler reported 0
}

TEST_F(CListCtrlTest, EndOfEditAppliesTextWhenHandlerReportsTrue) {
    CreateReport();
    parent.endEditResult = TRUE;
    list.EditLabel(0);
    ASSERT_NE(Editor(), nullptr);
    Editor()->setText(QStringLiteral("kept"));
    QTest::keyClick(Editor(), Qt::Key_Return);
    Spin();  // the editor commits from the event loop
    EXPECT_EQ(list.GetItemText(0, 0), CString(u"kept"));
}

TEST_F(CListCtrlTest, EscapeCancelsWithNullText) {
    CreateReport();
    parent.endEditResult = TRUE;
    list.EditLabel(2);
    ASSERT_NE(Editor(), nullptr);
    Editor()->setText(QStringLiteral("discarded"));
    QTest::keyClick(Editor(), Qt::Key_Escape);
    ASSERT_EQ(parent.Codes().back(), LVN_ENDLABELEDIT);
    EXPECT_FALSE(parent.records.back().hasText);
    EXPECT_EQ(list.GetItemText(2, 0), CString(u"value2"));
}

TEST_F(CListCtrlTest, ClickSelectsBeforeReportingAndEmptySpaceClears) {
    CreateReport();
    Click(View()->viewport(), RowCenter(1));
    ASSERT_FALSE(parent.records.empty());
    EXPECT_EQ(parent.records.back().code, UINT(NM_CLICK));
    EXPECT_EQ(parent.records.back().item, 1);
    EXPECT_EQ(parent.records.back().selectedDuringNotify, 1);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);

    parent.records.clear();
    Click(View()->viewport(), QPoint(10, View()->viewport()->height() - 5));
    ASSERT_FALSE(parent.records.empty());
    EXPECT_EQ(parent.records.back().code, UINT(NM_CLICK));
    EXPECT_EQ(parent.records.back().item, -1);
    EXPECT_EQ(parent.records.back().selectedDuringNotify, -1);
}

TEST_F(CListCtrlTest, DoubleClickReportsOnce) {
    CreateReport();
    DoubleClick(View()->viewport(), RowCenter(2));
    const std::vector<UINT> codes = parent.Codes();
    EXPECT_EQ(std::count(codes.begin(), codes.end(), UINT(NM_DBLCLK)), 1);
    EXPECT_EQ(parent.records.back().code, UINT(NM_DBLCLK));
    EXPECT_EQ(parent.records.back().item, 2);
}

TEST_F(CListCtrlTest, ClickOnSelectedRowStartsTheLabelEdit) {
    CreateReport();
    list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    parent.records.clear();
    Click(View()->viewport(), RowCenter(0));
    for (int i = 0; i < 200 && !Editor(); ++i) Spin(10);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(parent.Codes().back(), LVN_BEGINLABELEDIT);
}

TEST_F(CListCtrlTest, SelectionStateAndNextSelected) {
    CreateReport();
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), -1);
    list.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2);
    EXPECT_EQ(list.GetNextItem(2, LVNI_SELECTED), -1);
    EXPECT_EQ(list.GetItemState(2, LVIS_SELECTED | LVIS_FOCUSED), LVIS_SELECTED | LVIS_FOCUSED);
    ASSERT_FALSE(parent.records.empty());
    EXPECT_EQ(parent.records.back().code, LVN_ITEMCHANGED);
    EXPECT_EQ(parent.records.back().newState & LVIS_SELECTED, LVIS_SELECTED);

    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);  // single selection moves
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 0);
    EXPECT_EQ(list.GetItemState(2, LVIS_SELECTED), 0u);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_ALL), 0);

    ASSERT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), -1);
    EXPECT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(list.GetItemText(0, 0), CString(u"value1"));
    EXPECT_EQ(list.InsertItem(-1, u"bad"), -1);
    EXPECT_EQ(list.InsertItem(99, u"end"), 2);
}

TEST_F(CListCtrlTest, DeletingTheFocusedRowLeavesNothingSelected) {
    CreateReport();
    list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ASSERT_TRUE(list.DeleteItem(1));
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), -1);
    EXPECT_EQ(list.GetItemState(1, LVIS_SELECTED | LVIS_FOCUSED), 0u);
}

TEST_F(CListCtrlTest, IconModeFlowsLeftToRightThenDown) {
    Create(LVS_ICON | LVS_SINGLESEL | LVS_EDITLABELS | LVS_AUTOARRANGE);
    for (int i = 0; i < 40; ++i) {
        CString label;
        label.Format(u"%02X", i);
        list.InsertItem(i, label);
    }
    Spin();
    int rowsSeen = 1;
    for (int i = 1; i < 40; ++i) {
        const QRect previous = View()->visualRect(View()->model()->index(i - 1, 0));
        const QRect current = View()->visualRect(View()->model()->index(i, 0));
        if (current.top() == previous.top()) {
            EXPECT_GT(current.left(), previous.left()) << "item " << i;
        } else {
            EXPECT_GT(current.top(), previous.top()) << "item " << i;
            EXPECT_LT(current.left(), previous.left()) << "item " << i;
            ++rowsSeen;
        }
    }
    EXPECT_GT(rowsSeen, 1);
    EXPECT_TRUE(qobject_cast<QListView*>(View()));
}

}  // namespace
