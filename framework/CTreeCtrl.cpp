#include "framework/CTreeCtrl.h"

#include <string>

#include "framework/AfxTreeWidget.h"

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

namespace {

using Id = AfxTreeNodes::Id;
constexpr Id kNone = AfxTreeNodes::kNone;

}  // namespace

CTreeCtrl::CTreeCtrl() = default;

HWND CTreeCtrl::CreateTreeWidget(const CREATESTRUCT& cs, CWnd* pNotifyTarget) {
    return new AfxTreeWidget(cs.hwndParent, DWORD(cs.style), pNotifyTarget);
}

HWND CTreeCtrl::CreateWidget(CREATESTRUCT& cs) {
    return CreateTreeWidget(cs, this);
}

AfxTreeWidget* CTreeCtrl::Tree() const {
    return static_cast<AfxTreeWidget*>(m_hWnd);
}

Id CTreeCtrl::Find(HTREEITEM hItem) const {
    return Tree() ? Tree()->Nodes().Find(hItem) : kNone;
}

HTREEITEM CTreeCtrl::InsertItem(LPCWSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter) {
    const std::u16string_view text =
        lpszItem ? std::u16string_view(lpszItem) : std::u16string_view();
    return Tree() ? Tree()->Insert(text, hParent, hInsertAfter) : nullptr;
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
    const Id id = Find(hItem);
    if (id == kNone) return FALSE;
    Tree()->Model().SetImages(id, nImage, nSelectedImage);
    return TRUE;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData) {
    const Id id = Find(hItem);
    if (id == kNone) return FALSE;
    Tree()->Model().SetData(id, dwData);
    return TRUE;
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const {
    const Id id = Find(hItem);
    return id == kNone ? 0 : Tree()->Nodes().Data(id);
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const {
    const Id id = Find(hItem);
    return id == kNone ? CString() : CString(Tree()->Nodes().Text(id));
}

BOOL CTreeCtrl::SortChildren(HTREEITEM hItem) {
    if (!Tree()) return FALSE;
    Id parent = AfxTreeNodes::kRoot;
    if (hItem && hItem != TVI_ROOT) {
        parent = Find(hItem);
        if (parent == kNone) return FALSE;
    }
    Tree()->Model().SortChildren(parent);
    return TRUE;
}

BOOL CTreeCtrl::SelectItem(HTREEITEM hItem) {
    return Tree() && Tree()->Select(hItem);
}

HTREEITEM CTreeCtrl::GetSelectedItem() const {
    return Tree() ? Tree()->Caret() : nullptr;
}

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM hItem, UINT nCode) const {
    if (!Tree()) return nullptr;
    const AfxTreeNodes& nodes = Tree()->Nodes();
    if (nCode == TVGN_CARET) return GetSelectedItem();
    if (nCode == TVGN_ROOT) return nodes.Handle(nodes.Child(AfxTreeNodes::kRoot, 0));
    const Id id =
        nCode == TVGN_CHILD && (!hItem || hItem == TVI_ROOT) ? AfxTreeNodes::kRoot : Find(hItem);
    if (id == kNone) return nullptr;
    switch (nCode) {
        case TVGN_CHILD:
            return nodes.Handle(nodes.Child(id, 0));
        case TVGN_PARENT:
            return nodes.Handle(nodes.Parent(id));
        case TVGN_NEXT:
            return nodes.Handle(nodes.Child(nodes.Parent(id), nodes.Row(id) + 1));
        default:
            return nullptr;
    }
}

HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM hItem) const {
    return GetNextItem(hItem, TVGN_CHILD);
}
HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM hItem) const {
    return GetNextItem(hItem, TVGN_NEXT);
}
HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM hItem) const {
    return GetNextItem(hItem, TVGN_PARENT);
}
HTREEITEM CTreeCtrl::GetRootItem() const {
    return GetNextItem(nullptr, TVGN_ROOT);
}

BOOL CTreeCtrl::Expand(HTREEITEM hItem, UINT nCode) {
    return Tree() && nCode == TVE_EXPAND && Tree()->Expand(hItem);
}

UINT CTreeCtrl::GetCount() const {
    return Tree() ? UINT(Tree()->Nodes().Count()) : 0;
}

CImageList* CTreeCtrl::SetImageList(CImageList* pImageList, int nImageListType) {
    if (!Tree() || nImageListType != TVSIL_NORMAL) return nullptr;
    return Tree()->SetImageList(pImageList);
}
