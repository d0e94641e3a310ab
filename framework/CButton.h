#pragma once
// Push button or check box; a click sends BN_CLICKED (ON_BN_CLICKED) to the
// parent.

#include "framework/CWnd.h"

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    CButton();

    BOOL Create(LPCWSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID);

    void SetCheck(int nCheck);
    int GetCheck() const;

protected:
    HWND CreateWidget(CREATESTRUCT& cs) override;
};
