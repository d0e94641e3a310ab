#pragma once
// The lower pane: every registry key under the four roots. The document
// fills and edits the tree; the view lists the values of whichever key
// becomes selected, and tells a key's full path in its tool tip.

#include "framework/CImageList.h"
#include "framework/CTreeView.h"

class CBrackwellDoc;

class CBrackwellView : public CTreeView {
    DECLARE_DYNCREATE(CBrackwellView)
public:
    CBrackwellView();
    ~CBrackwellView() override;

    CBrackwellDoc* GetDocument() const;

    BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnInitialUpdate() override;

protected:
    void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnGetInfoTip(NMHDR* pNMHDR, LRESULT* pResult);

    CImageList m_imageList;

    DECLARE_MESSAGE_MAP()
};
