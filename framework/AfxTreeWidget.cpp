#include "framework/AfxTreeWidget.h"

#include <QHeaderView>

#include "framework/AfxTreeItem.h"
#include "framework/CImageList.h"
#include "framework/CWnd.h"

namespace {

bool IsAncestor(const QTreeWidgetItem* ancestor, const QTreeWidgetItem* item) {
    for (const QTreeWidgetItem* p = item ? item->parent() : nullptr; p; p = p->parent())
        if (p == ancestor) return true;
    return false;
}

}  // namespace

AfxTreeWidget::AfxTreeWidget(QWidget* parent, DWORD dwStyle, CWnd* pNotifyTarget)
    : QTreeWidget(parent), m_pNotifyTarget(pNotifyTarget) {
    setColumnCount(1);
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setSelectionMode(SingleSelection);
    setEditTriggers(NoEditTriggers);
    setIconSize(QSize(16, 16));
    setRootIsDecorated((dwStyle & TVS_LINESATROOT) != 0);
    setFrameShape((dwStyle & WS_BORDER) ? QFrame::StyledPanel : QFrame::NoFrame);
    connect(this, &QTreeWidget::currentItemChanged, this, &AfxTreeWidget::OnCurrentChanged);
    connect(this, &QTreeWidget::itemCollapsed, this, &AfxTreeWidget::OnCollapsed);
}

AfxTreeItem* AfxTreeWidget::Item(HTREEITEM hItem) const {
    const auto id = reinterpret_cast<std::uintptr_t>(hItem);
    if (id < m_base || id - m_base >= m_items.size()) return nullptr;
    return m_items[id - m_base];
}

HTREEITEM AfxTreeWidget::Handle(const QTreeWidgetItem* item) {
    return item ? reinterpret_cast<HTREEITEM>(static_cast<const AfxTreeItem*>(item)->Id()) : nullptr;
}

QTreeWidgetItem* AfxTreeWidget::ParentOrRoot(QTreeWidgetItem* item) const {
    return item->parent() ? item->parent() : invisibleRootItem();
}

HTREEITEM AfxTreeWidget::Insert(const QString& text, HTREEITEM hParent, HTREEITEM hInsertAfter) {
    QTreeWidgetItem* parent = invisibleRootItem();
    if (hParent && hParent != TVI_ROOT) {
        parent = Item(hParent);
        if (!parent) return nullptr;
    }
    if (hInsertAfter != TVI_LAST) return nullptr;
    auto* item = new AfxTreeItem(m_base + m_items.size());
    item->setText(0, text);
    m_items.push_back(item);
    ++m_nCount;
    parent->addChild(item);
    return Handle(item);
}

void AfxTreeWidget::Unregister(QTreeWidgetItem* item) {
    const auto id = static_cast<AfxTreeItem*>(item)->Id();
    m_items[id - m_base] = nullptr;
    --m_nCount;
    for (int i = 0; i < item->childCount(); ++i) Unregister(item->child(i));
}

bool AfxTreeWidget::Delete(HTREEITEM hItem) {
    AfxTreeItem* item = Item(hItem);
    if (!item) return false;
    QTreeWidgetItem* caret = currentItem();
    const bool caretInside = caret && (caret == item || IsAncestor(item, caret));
    QTreeWidgetItem* target = nullptr;
    if (caretInside) {
        QTreeWidgetItem* parent = ParentOrRoot(item);
        const int index = parent->indexOfChild(item);
        target = parent->child(index + 1);
        if (!target && index > 0) target = parent->child(index - 1);
        if (!target) target = item->parent();
    }
    const HTREEITEM hOld = Handle(caret);
    const DWORD_PTR oldData = caret ? static_cast<AfxTreeItem*>(caret)->m_dwData : 0;

    m_bSilent = true;
    Unregister(item);
    delete item;
    if (caretInside) {
        setCurrentItem(target);
        if (!target) clearSelection();
    }
    m_bSilent = false;
    if (caretInside) Notify(hOld, oldData, target);
    return true;
}

void AfxTreeWidget::DeleteAll() {
    m_bSilent = true;
    clear();
    m_bSilent = false;
    m_base += m_items.size();
    m_items.clear();
    m_nCount = 0;
}

bool AfxTreeWidget::Select(HTREEITEM hItem) {
    AfxTreeItem* item = nullptr;
    if (hItem) {
        item = Item(hItem);
        if (!item) return false;
    }
    setCurrentItem(item);
    if (item) scrollToItem(item);
    else clearSelection();
    return true;
}

CImageList* AfxTreeWidget::SetImageList(CImageList* pImageList) {
    CImageList* previous = m_pImageList;
    m_pImageList = pImageList;
    viewport()->update();
    return previous;
}

void AfxTreeWidget::OnCurrentChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous) {
    if (m_bSilent) return;
    Notify(Handle(previous), previous ? static_cast<AfxTreeItem*>(previous)->m_dwData : 0, current);
}

void AfxTreeWidget::OnCollapsed(QTreeWidgetItem* item) {
    // As on the platform, collapsing the branch that holds the caret moves
    // the caret to the collapsed item.
    if (IsAncestor(item, currentItem())) setCurrentItem(item);
}

void AfxTreeWidget::Notify(HTREEITEM hOld, DWORD_PTR oldData, QTreeWidgetItem* current) {
    if (!m_pNotifyTarget) return;
    NMTREEVIEW nm{};
    nm.hdr.code = TVN_SELCHANGED;
    nm.action = TVC_UNKNOWN;
    nm.itemOld.mask = TVIF_HANDLE | TVIF_PARAM;
    nm.itemOld.hItem = hOld;
    nm.itemOld.lParam = LPARAM(oldData);
    nm.itemNew.mask = TVIF_HANDLE | TVIF_PARAM;
    nm.itemNew.hItem = Handle(current);
    nm.itemNew.lParam = current ? LPARAM(static_cast<AfxTreeItem*>(current)->m_dwData) : 0;
    m_pNotifyTarget->SendNotify(&nm.hdr);
}
