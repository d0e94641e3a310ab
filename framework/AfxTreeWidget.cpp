#include "framework/AfxTreeWidget.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <string>

#include "framework/AfxItemTip.h"
#include "framework/AfxTreeLines.h"
#include "framework/CImageList.h"
#include "framework/CWnd.h"

AfxTreeWidget::AfxTreeWidget(QWidget* parent, DWORD dwStyle, CWnd* pNotifyTarget)
    : QTreeView(parent),
      m_pModel(new AfxTreeModel(this)),
      m_dwStyle(dwStyle),
      m_pNotifyTarget(pNotifyTarget) {
    setModel(m_pModel);
    setHeaderHidden(true);
    // The column is sized by FitColumn, from the rows in sight only.
    header()->setStretchLastSection(false);
    header()->setResizeContentsPrecision(0);
    setUniformRowHeights(true);
    setSelectionMode(SingleSelection);
    setEditTriggers(NoEditTriggers);
    setIconSize(QSize(16, 16));
    setRootIsDecorated((dwStyle & TVS_LINESATROOT) != 0);
    setFrameShape((dwStyle & WS_BORDER) ? QFrame::StyledPanel : QFrame::NoFrame);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            &AfxTreeWidget::OnCurrentChanged);
    connect(this, &QTreeView::collapsed, this, &AfxTreeWidget::OnCollapsed);
}

QModelIndex AfxTreeWidget::IndexOf(HTREEITEM hItem) const {
    m_pModel->Publish();
    return m_pModel->IndexOf(Nodes().Find(hItem));
}

HTREEITEM AfxTreeWidget::Insert(std::u16string_view text, HTREEITEM hParent,
                                HTREEITEM hInsertAfter) {
    Id parent = AfxTreeNodes::kRoot;
    if (hParent && hParent != TVI_ROOT) {
        parent = Nodes().Find(hParent);
        if (parent == AfxTreeNodes::kNone) return nullptr;
    }
    if (hInsertAfter != TVI_LAST) return nullptr;
    return Nodes().Handle(m_pModel->Insert(parent, text));
}

bool AfxTreeWidget::Delete(HTREEITEM hItem) {
    const Id id = Nodes().Find(hItem);
    if (id == AfxTreeNodes::kNone) return false;
    const HTREEITEM hCaret = Caret();
    const Id caret = Nodes().Find(hCaret);
    const bool caretInside =
        caret != AfxTreeNodes::kNone && (caret == id || Nodes().IsAncestor(id, caret));
    Id target = AfxTreeNodes::kNone;
    if (caretInside) {
        const Id parent = Nodes().Parent(id);
        const int row = Nodes().Row(id);
        target = Nodes().Child(parent, row + 1);
        if (target == AfxTreeNodes::kNone) target = Nodes().Child(parent, row - 1);
        if (target == AfxTreeNodes::kNone && parent != AfxTreeNodes::kRoot) target = parent;
    }
    const DWORD_PTR oldData = hCaret ? Nodes().Data(caret) : 0;

    m_bSilent = true;
    m_pModel->Remove(id);
    if (caretInside) {
        setCurrentIndex(m_pModel->IndexOf(target));
        if (target == AfxTreeNodes::kNone) clearSelection();
    }
    m_bSilent = false;
    if (caretInside) Notify(hCaret, oldData, target);
    return true;
}

void AfxTreeWidget::DeleteAll() {
    // The reset this opens clears the caret without a notice.
    m_pModel->Clear();
}

bool AfxTreeWidget::Select(HTREEITEM hItem) {
    m_pModel->Publish();
    Id id = AfxTreeNodes::kNone;
    if (hItem) {
        id = Nodes().Find(hItem);
        if (id == AfxTreeNodes::kNone) return false;
    }
    const QModelIndex index = m_pModel->IndexOf(id);
    setCurrentIndex(index);
    if (index.isValid())
        scrollTo(index);
    else
        clearSelection();
    return true;
}

HTREEITEM AfxTreeWidget::Caret() const {
    m_pModel->Publish();
    return Nodes().Handle(AfxTreeModel::IdOf(currentIndex()));
}

bool AfxTreeWidget::Expand(HTREEITEM hItem) {
    const QModelIndex index = IndexOf(hItem);
    if (!index.isValid()) return false;
    expand(index);
    return true;
}

CImageList* AfxTreeWidget::SetImageList(CImageList* pImageList) {
    CImageList* previous = m_pImageList;
    m_pImageList = pImageList;
    m_pModel->SetImageList(pImageList);
    viewport()->update();
    return previous;
}

// The view scrolls the column into view; the item's own place in it, deep
// in the indentation, is brought into view here: its right end if it fits,
// else its left end, where its image and the start of its text are.
void AfxTreeWidget::scrollTo(const QModelIndex& index, ScrollHint hint) {
    QTreeView::scrollTo(index, hint);
    if (!index.isValid()) return;
    // The rows now in sight may need a wider column, whose scroll bar then
    // takes room from the rows: the scroll bars follow at once, and the
    // item is scrolled to again in what room is left.
    updateGeometries();
    QTreeView::scrollTo(index, hint);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QRect cell = visualRect(index);
    option.rect = cell;
    const int width =
        std::min(itemDelegateForIndex(index)->sizeHint(option, index).width(), cell.width());
    QScrollBar* bar = horizontalScrollBar();
    const int left = cell.left() + bar->value();
    int offset = bar->value();
    if (left + width > offset + viewport()->width()) offset = left + width - viewport()->width();
    if (left < offset) offset = left;
    bar->setValue(offset);
}

void AfxTreeWidget::FitColumn() {
    const int width = std::max(viewport()->width(), sizeHintForColumn(0));
    if (header()->sectionSize(0) != width) header()->resizeSection(0, width);
}

void AfxTreeWidget::updateGeometries() {
    QTreeView::updateGeometries();
    FitColumn();
}

void AfxTreeWidget::scrollContentsBy(int dx, int dy) {
    QTreeView::scrollContentsBy(dx, dy);
    if (dy != 0) FitColumn();
}

void AfxTreeWidget::drawBranches(QPainter* painter, const QRect& rect,
                                 const QModelIndex& index) const {
    QTreeView::drawBranches(painter, rect, index);
    if (!(m_dwStyle & TVS_HASLINES)) return;
    const bool selected = selectionModel()->isSelected(index);
    AfxDrawTreeLines(*painter, rect, index, indentation(), AfxTreeLineColor(palette(), selected));
}

bool AfxTreeWidget::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QTreeView::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    AfxShowItemTip(*this, *help, index, index.isValid() ? TipFor(index) : QString());
    return true;
}

QString AfxTreeWidget::TipFor(const QModelIndex& index) {
    const Id id = AfxTreeModel::IdOf(index);
    if ((m_dwStyle & TVS_INFOTIP) && m_pNotifyTarget) {
        std::u16string text(INFOTIPSIZE, u'\0');
        NMTVGETINFOTIP nm{};
        nm.hdr.code = TVN_GETINFOTIP;
        nm.pszText = text.data();
        nm.cchTextMax = INFOTIPSIZE;
        nm.hItem = Nodes().Handle(id);
        nm.lParam = LPARAM(Nodes().Data(id));
        m_pNotifyTarget->SendNotify(&nm.hdr);
        text.resize(std::char_traits<char16_t>::length(text.c_str()));
        if (!text.empty()) return QString::fromStdU16String(text);
    }
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    return AfxIsItemCutOff(*this, option, index) ? index.data().toString() : QString();
}

void AfxTreeWidget::OnCurrentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (m_bSilent) return;
    const Id old = AfxTreeModel::IdOf(previous);
    Notify(Nodes().Handle(old), Nodes().IsLive(old) ? Nodes().Data(old) : 0,
           AfxTreeModel::IdOf(current));
}

void AfxTreeWidget::OnCollapsed(const QModelIndex& index) {
    // As on the platform, collapsing the branch that holds the caret moves
    // the caret to the collapsed item.
    const Id caret = AfxTreeModel::IdOf(currentIndex());
    if (Nodes().IsLive(caret) && Nodes().IsAncestor(AfxTreeModel::IdOf(index), caret))
        setCurrentIndex(index);
}

void AfxTreeWidget::Notify(HTREEITEM hOld, DWORD_PTR oldData, Id current) {
    if (!m_pNotifyTarget) return;
    NMTREEVIEW nm{};
    nm.hdr.code = TVN_SELCHANGED;
    nm.action = TVC_UNKNOWN;
    nm.itemOld.mask = TVIF_HANDLE | TVIF_PARAM;
    nm.itemOld.hItem = hOld;
    nm.itemOld.lParam = LPARAM(oldData);
    nm.itemNew.mask = TVIF_HANDLE | TVIF_PARAM;
    nm.itemNew.hItem = Nodes().Handle(current);
    nm.itemNew.lParam = Nodes().IsLive(current) ? LPARAM(Nodes().Data(current)) : 0;
    m_pNotifyTarget->SendNotify(&nm.hdr);
}
