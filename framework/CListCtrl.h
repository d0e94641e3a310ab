#pragma once
// List control in report mode (LVS_REPORT: columns with headers) or icon
// mode (LVS_ICON: labels flowing left to right, top to bottom). Notifies
// NM_CLICK, NM_DBLCLK and NM_RETURN (NMITEMACTIVATE; NM_RETURN for Enter on
// the list), LVN_ITEMCHANGED (NMLISTVIEW) for
// selection changes, and LVN_BEGINLABELEDIT / LVN_ENDLABELEDIT
// (NMLVDISPINFO) around in-place editing of column 0. An edit ended with
// Escape reports a null pszText. The control never applies an edited label
// itself unless the end handler sets *pResult to TRUE. Rows are kept
// compactly (a dozen bytes and their texts), so a list of a million rows is
// cheap to fill, lay out and hold.

#include "framework/CWnd.h"

class CImageList;
class CEdit;
class AfxListCore;

class CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)
public:
    CListCtrl();
    ~CListCtrl() override;

    // Index of the new column, -1 on failure. Headings are left-aligned
    // (LVCFMT_LEFT); nWidth -1 keeps the default width.
    int InsertColumn(int nCol, LPCWSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT,
                     int nWidth = -1);
    // Index of the new row (an index past the end appends), -1 on failure.
    int InsertItem(int nItem, LPCWSTR lpszItem);
    int InsertItem(int nItem, LPCWSTR lpszItem, int nImage);
    BOOL SetItemText(int nItem, int nSubItem, LPCWSTR lpszText);
    // Sets what nMask names: LVIF_TEXT (of nSubItem), LVIF_IMAGE, LVIF_STATE.
    BOOL SetItem(int nItem, int nSubItem, UINT nMask, LPCWSTR lpszItem, int nImage, UINT nState,
                 UINT nStateMask, LPARAM lParam);
    // Fills what pItem->mask names for row pItem->iItem: LVIF_TEXT (into
    // pszText, at most cchTextMax characters with the NUL), LVIF_IMAGE, LVIF_STATE.
    BOOL GetItem(LVITEM* pItem) const;
    CString GetItemText(int nItem, int nSubItem) const;
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    int GetItemCount() const;

    // LVIS_SELECTED and LVIS_FOCUSED within nMask.
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    UINT GetItemState(int nItem, UINT nMask) const;
    // The first row after nItem (-1: from the start) with the flags
    // (LVNI_SELECTED, LVNI_FOCUSED, or LVNI_ALL for any row); -1 if none.
    int GetNextItem(int nItem, int nFlags) const;
    BOOL EnsureVisible(int nItem, BOOL bPartialOK);

    // Starts editing the label of nItem; the editor while it lasts, or null
    // when the edit did not start.
    CEdit* EditLabel(int nItem);

    // The list must outlive the control; returns the previous list.
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);

    // Builds the list widget for a window being created with the list class.
    static HWND CreateListWidget(const CREATESTRUCT& cs, CWnd* pNotifyTarget);

protected:
    HWND CreateWidget(CREATESTRUCT& cs) override;

private:
    // The core of the attached list widget, looked up once per widget.
    AfxListCore* Core() const;
    mutable HWND m_hCoreWnd = nullptr;
    mutable AfxListCore* m_pCore = nullptr;
    CEdit* m_pLabelEdit = nullptr;
};
