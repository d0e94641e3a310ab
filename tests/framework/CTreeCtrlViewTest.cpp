// What a person sees of the tree control: the lines between its items, the
// tool tips of its items, and an item made current brought fully into
// view, sideways too.
#include <gtest/gtest.h>

#include <QAbstractItemDelegate>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QImage>
#include <QScrollBar>
#include <QToolTip>
#include <QTreeView>
#include <string>

#include "tests/framework/TestSupport.h"

namespace {

constexpr UINT kTreeId = 100;

// Answers TVN_GETINFOTIP with a text of its own.
class CTipParent : public CNotifyRecorder {
public:
    std::u16string tip;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (hdr->code == TVN_GETINFOTIP) {
            auto* nm = reinterpret_cast<NMTVGETINFOTIP*>(hdr);
            const std::size_t n = std::min(tip.size(), std::size_t(nm->cchTextMax - 1));
            std::copy_n(tip.data(), n, nm->pszText);
            nm->pszText[n] = u'\0';
        }
        return CNotifyRecorder::OnNotify(wParam, lParam, pResult);
    }
};

class TreeViewTest : public testing::Test {
protected:
    void Create(DWORD style) {
        const RECT rect{0, 0, 200, 200};
        ASSERT_TRUE(tree.CreateEx(0, WC_TREEVIEW, nullptr,
                                  WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT | style,
                                  rect, &parent, kTreeId));
        parent.m_hWnd->show();
    }
    QTreeView& View() { return *static_cast<QTreeView*>(tree.m_hWnd); }
    QModelIndex IndexOf(HTREEITEM item) {
        QModelIndex index;
        std::vector<int> rows;
        for (HTREEITEM h = item; h; h = tree.GetParentItem(h)) {
            int row = 0;
            HTREEITEM parentItem = tree.GetParentItem(h);
            for (HTREEITEM s = parentItem ? tree.GetChildItem(parentItem) : tree.GetRootItem();
                 s != h; s = tree.GetNextSiblingItem(s))
                ++row;
            rows.insert(rows.begin(), row);
        }
        for (int row : rows) index = View().model()->index(row, 0, index);
        return index;
    }
    // A chain of depth items below the top level, each named name.
    HTREEITEM Chain(int depth, const std::u16string& name) {
        HTREEITEM item = TVI_ROOT;
        for (int level = 0; level < depth; ++level) item = tree.InsertItem(name.c_str(), item);
        return item;
    }
    // The item's image and text, where the view shows them.
    QRect ItemRect(HTREEITEM item) {
        const QModelIndex index = IndexOf(item);
        QStyleOptionViewItem option;
        option.initFrom(&View());
        const QRect cell = View().visualRect(index);
        const int width = View().itemDelegateForIndex(index)->sizeHint(option, index).width();
        return QRect(cell.topLeft(), QSize(std::min(width, cell.width()), cell.height()));
    }
    QString TipAt(HTREEITEM item) {
        Spin();  // the items reach the view
        QToolTip::hideText();
        const QPoint at = View().visualRect(IndexOf(item)).center();
        QHelpEvent event(QEvent::ToolTip, at, View().viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(View().viewport(), &event);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }

    CTipParent parent;
    CTreeCtrl tree;
};

struct DeepItem {
    const char* fault;
    int depth;
    int nameLength;
    // Whole: image and text fit the view; else their left end is in it.
    bool whole;
    friend void PrintTo(const DeepItem& row, std::ostream* os) { *os << row.fault; }
};

class ScrollIntoViewTest : public TreeViewTest, public testing::WithParamInterface<DeepItem> {};

TEST_P(ScrollIntoViewTest, SelectedItemIsBroughtIntoView) {
    Create(TVS_HASLINES);
    const HTREEITEM item = Chain(GetParam().depth, std::u16string(GetParam().nameLength, u'k'));
    const HTREEITEM top = tree.InsertItem(u"top");
    tree.SelectItem(item);
    const QRect viewport = View().viewport()->rect();
    const QRect shown = ItemRect(item);
    if (GetParam().whole)
        EXPECT_TRUE(viewport.contains(shown))
            << shown.x() << "," << shown.y() << " " << shown.width();
    else
        EXPECT_TRUE(viewport.contains(shown.topLeft())) << shown.x() << "," << shown.y();

    // And back to the top level, at the left edge again.
    tree.SelectItem(top);
    EXPECT_TRUE(viewport.contains(ItemRect(top)));
}

INSTANTIATE_TEST_SUITE_P(
    Items, ScrollIntoViewTest,
    testing::Values(DeepItem{"DeepestKeyStayedOutOfSight", 511, 8, true},
                    DeepItem{"DeepKeyBelowTheRowsInSight", 40, 8, true},
                    DeepItem{"NameWiderThanTheViewShowsItsStart", 3, 200, false}),
    [](const testing::TestParamInfo<DeepItem>& info) { return std::string(info.param.fault); });

struct TipCase {
    const char* fault;
    DWORD style;
    std::u16string answer;  // the parent's info tip
    int nameLength;
    const char* tip;  // "name": the item's whole text
    friend void PrintTo(const TipCase& row, std::ostream* os) { *os << row.fault; }
};

class TreeTipTest : public TreeViewTest, public testing::WithParamInterface<TipCase> {};

TEST_P(TreeTipTest, TipIsTheInfoTipOrTheTextCutOff) {
    Create(GetParam().style);
    parent.tip = GetParam().answer;
    const std::u16string name(GetParam().nameLength, u'n');
    const HTREEITEM item = tree.InsertItem(name.c_str());
    const QString expected = QString::fromLatin1(GetParam().tip) == "name"
                                 ? QString::fromStdU16String(name)
                                 : QString::fromLatin1(GetParam().tip);
    EXPECT_EQ(expected, TipAt(item).remove(u'\n'));
}

INSTANTIATE_TEST_SUITE_P(
    Tips, TreeTipTest,
    testing::Values(TipCase{"InfoTipOfTheParent", TVS_INFOTIP, u"ROOT\\path", 4, "ROOT\\path"},
                    TipCase{"CutOffTextShownWhole", 0, u"ignored", 60, "name"},
                    TipCase{"WholeTextNeedsNoTip", 0, u"ignored", 4, ""},
                    TipCase{"EmptyInfoTipFallsBackToCutOffText", TVS_INFOTIP, u"", 60, "name"}),
    [](const testing::TestParamInfo<TipCase>& info) { return std::string(info.param.fault); });

struct LinesCase {
    const char* fault;
    DWORD style;
    bool dark;
    friend void PrintTo(const LinesCase& row, std::ostream* os) { *os << row.fault; }
};

class TreeLinesTest : public TreeViewTest, public testing::WithParamInterface<LinesCase> {};

int Lightness(QColor color) {
    return color.lightness();
}

// Two top-level items, the first open with a child: the first's column
// joins it to the second below its expand button.
TEST_P(TreeLinesTest, SiblingsAreJoinedByADottedLineThatStandsOut) {
    Create(GetParam().style);
    if (GetParam().dark) {
        QPalette dark = View().palette();
        dark.setColor(QPalette::Base, QColor(30, 30, 30));
        dark.setColor(QPalette::Text, QColor(230, 230, 230));
        View().setPalette(dark);
    }
    const HTREEITEM first = tree.InsertItem(u"first");
    tree.InsertItem(u"child", first);
    const HTREEITEM second = tree.InsertItem(u"second");
    tree.Expand(first, TVE_EXPAND);
    tree.SelectItem(second);
    const QImage shot = View().viewport()->grab().toImage();
    const QColor base = View().palette().color(QPalette::Base);
    // The first column's centre, from below the first item's button to above
    // the second item's: the child's row in between.
    const int x = View().indentation() / 2;
    const QRect childRow = View().visualRect(IndexOf(tree.GetChildItem(first)));
    int dots = 0, contrast = 0;
    for (int y = childRow.top(); y <= childRow.bottom(); ++y) {
        const QColor pixel = shot.pixelColor(x, y);
        if (pixel != base) ++dots;
        contrast = std::max(contrast, std::abs(Lightness(pixel) - Lightness(base)));
    }
    if (GetParam().style & TVS_HASLINES) {
        // Every other pixel.
        EXPECT_GE(dots, childRow.height() / 2 - 1);
        EXPECT_LE(dots, childRow.height() / 2 + 1);
        EXPECT_GE(contrast, 60);
    } else {
        EXPECT_EQ(0, dots);
    }
}

INSTANTIATE_TEST_SUITE_P(Palettes, TreeLinesTest,
                         testing::Values(LinesCase{"LightPalette", TVS_HASLINES, false},
                                         LinesCase{"DarkPaletteLinesVanished", TVS_HASLINES, true},
                                         LinesCase{"NoLinesWithoutTheStyle", 0, false}),
                         [](const testing::TestParamInfo<LinesCase>& info) {
                             return std::string(info.param.fault);
                         });

}  // namespace
