#pragma once
// The upper pane: the values of the listed key, name and data text in two
// columns. A tap, or the keyboard moving the selection, selects a value, a
// double tap or Enter modifies it, and editing a name in place renames it.

#include "framework/CImageList.h"
#include "framework/CListView.h"
#include "framework/CString.h"

class CBrackwellDoc;

class CDetailsView : public CListView {
    DECLARE_DYNCREATE(CDetailsView)
public:
    CDetailsView();
    ~CDetailsView() override;

    CBrackwellDoc* GetDocument() const;

    BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr) override;
    void OnInitialUpdate() override;

protected:
    void OnClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDblClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnReturn(NMHDR* pNMHDR, LRESULT* pResult);
    void OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);

    // The first selected row, -1 when none.
    int SelectedRow() const;
    // Selects the value of the selected row, if any, and runs Modify on it.
    void ModifySelectedRow();

    CImageList m_imageList;
    // Name of the value whose label is being edited.
    CString m_strOldName;

    DECLARE_MESSAGE_MAP()
};
