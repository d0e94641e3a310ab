#include "framework/CTreeCtrl.h"

#include "framework/AfxTreeItem.h"
#include "framework/AfxTreeWidget.h"

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

CTreeCtrl::CTreeCtrl() = default;

HWND CTreeCtrl::CreateTreeWidget(const CREATESTRUCT& cs, CWnd* pNotifyTarget) {
    return new AfxTreeWidget(cs.hwndParent, DWORD(cs.style), pNotifyTarget);
}

HWND CTreeCtrl::CreateWidget(CREATESTRUCT& cs) { return CreateTreeWidget(cs, this); }

AfxTreeWidget* CTreeCtrl::Tree() const { return static_cast<AfxTreeWidget*>(m_hWnd); }

HTREEITEM CTreeCtrl::InsertItem(LPCWSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter) {
    return Tree() ? Tree()->Insert(CString(lpszItem).ToQString(), hParent, hInsertAfter) : nullptr;
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM hItem) {
    if (hItem == TVI_ROOT) return DeleteAllItems();
    return Tree() && Tree()->Delete(hItem);
}

BOOL CTreeCtrl::DeleteAllItems() {
    if (!Tree()) return FALSE;
    Tree()->DeleteAll();
    return TRUE;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage) {
    AfxTreeItem* item = Tree() ? Tree()->Item(hItem) : nullptr;
    if (!item) return FALSE;
    item->SetImages(nImage, nSelectedImage);
    return TRUE;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData) {
    AfxTreeItem* item = Tree() ? Tree()->Item(hItem) : nullptr;
    if (!item) return FALSE;
    item->m_dwData = dwData;
    return TRUE;
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const {
    const AfxTreeItem* item = Tree() ? Tree()->Item(hItem) : nullptr;
    return item ? item->m_dwData : 0;
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const {
    const AfxTreeItem* item = Tree() ? Tree()->Item(hItem) : nullptr;
    return item ? CString::FromQString(item->text(0)) : CString();
}

BOOL CTreeCtrl::SortChildren(HTREEITEM hItem) {
    if (!Tree()) return FALSE;
    QTreeWidgetItem* parent = Tree()->invisibleRootItem();
    if (hItem && hItem != TVI_ROOT) {
        parent = Tree()->Item(hItem);
        if (!parent) return FALSE;
    }
    parent->sortChildren(0, Qt::AscendingOrder);
    return TRUE;
}

BOOL CTreeCtrl::SelectItem(HTREEITEM hItem) { return Tree() && Tree()->Select(hItem); }

HTREEITEM CTreeCtrl::GetSelectedItem() const {
    return Tree() ? AfxTreeWidget::Handle(Tree()->currentItem()) : nullptr;
}

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM hItem, UINT nCode) const {
    AfxTreeWidget* tree = Tree();
    if (!tree) return nullptr;
    if (nCode == TVGN_CARET) return GetSelectedItem();
    if (nCode == TVGN_ROOT) return AfxTreeWidget::Handle(tree->topLevelItem(0));
    QTreeWidgetItem* item = nullptr;
    if (nCode == TVGN_CHILD && (!hItem || hItem == TVI_ROOT)) item = tree->invisibleRootItem();
    else item = tree->Item(hItem);
    if (!item) return nullptr;
    QTreeWidgetItem* parent = item->parent() ? item->parent() : tree->invisibleRootItem();
    switch (nCode) {
        case TVGN_CHILD: return AfxTreeWidget::Handle(item->child(0));
        case TVGN_PARENT: return AfxTreeWidget::Handle(item->parent());
        case TVGN_NEXT: return AfxTreeWidget::Handle(parent->child(parent->indexOfChild(item) + 1));
        default: return nullptr;
    }
}

HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_CHILD); }
HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXT); }
HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PARENT); }
HTREEITEM CTreeCtrl::GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }

BOOL CTreeCtrl::Expand(HTREEITEM hItem, UINT nCode) {
    AfxTreeItem* item = Tree() ? Tree()->Item(hItem) : nullptr;
    if (!item || nCode != TVE_EXPAND) return FALSE;
    item->setExpanded(true);
    return TRUE;
}

UINT CTreeCtrl::GetCount() const { return Tree() ? Tree()->Count() : 0; }

CImageList* CTreeCtrl::SetImageList(CImageList* pImageList, int nImageListType) {
    if (!Tree() || nImageListType != TVSIL_NORMAL) return nullptr;
    return Tree()->SetImageList(pImageList);
}
