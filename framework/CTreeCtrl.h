#pragma once
// Tree control. Item handles are never reused within a run: a handle of a
// deleted item stays unequal to every later item, and calls with it fail
// harmlessly. Items live in compact arrays, so a tree of hundreds of
// thousands of items is cheap to fill and to hold. Selection changes, whether by the user or by
// SelectItem or DeleteItem, are reported with TVN_SELCHANGED (an NMTREEVIEW) before the call that
// caused them returns.

#include "framework/AfxTreeNodes.h"
#include "framework/CWnd.h"

class CImageList;
class AfxTreeWidget;

class CTreeCtrl : public CWnd {
    DECLARE_DYNAMIC(CTreeCtrl)
public:
    CTreeCtrl();

    // Inserts the item as the last child of hParent (TVI_ROOT: at the top
    // level); hInsertAfter must be TVI_LAST. Null on failure.
    HTREEITEM InsertItem(LPCWSTR lpszItem, HTREEITEM hParent = TVI_ROOT,
                         HTREEITEM hInsertAfter = TVI_LAST);
    // Deletes the item with all its descendants. When the caret was among
    // them it moves to the next sibling, else the previous sibling, else the
    // parent, and the change is reported.
    BOOL DeleteItem(HTREEITEM hItem);
    // Deletes every item; the caret becomes null without a notification.
    BOOL DeleteAllItems();

    BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);
    BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);
    DWORD_PTR GetItemData(HTREEITEM hItem) const;
    CString GetItemText(HTREEITEM hItem) const;

    // Sorts the direct children of hItem (TVI_ROOT or null: the top level)
    // alphabetically, ignoring case; deeper levels keep their order.
    BOOL SortChildren(HTREEITEM hItem);

    // Makes hItem the caret (null clears it); reports the change at once.
    BOOL SelectItem(HTREEITEM hItem);
    HTREEITEM GetSelectedItem() const;

    // TVGN_CARET, TVGN_CHILD, TVGN_NEXT, TVGN_PARENT, TVGN_ROOT.
    HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const;
    HTREEITEM GetChildItem(HTREEITEM hItem) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const;
    HTREEITEM GetParentItem(HTREEITEM hItem) const;
    HTREEITEM GetRootItem() const;

    // TVE_EXPAND only.
    BOOL Expand(HTREEITEM hItem, UINT nCode);
    UINT GetCount() const;

    // The list must outlive the control; returns the previous list.
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);

    // Builds the tree widget for a window being created with the tree class.
    static HWND CreateTreeWidget(const CREATESTRUCT& cs, CWnd* pNotifyTarget);

protected:
    HWND CreateWidget(CREATESTRUCT& cs) override;

private:
    AfxTreeWidget* Tree() const;
    // The item a handle names, kNone (for a stale handle or no tree too).
    AfxTreeNodes::Id Find(HTREEITEM hItem) const;
};
