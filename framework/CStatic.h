#pragma once
// Static text (SS_LEFT, SS_RIGHT) or icon (SS_ICON).

#include "framework/CWnd.h"

class CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
public:
    CStatic();

    BOOL Create(LPCWSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID = 0xFFFF);

protected:
    HWND CreateWidget(CREATESTRUCT& cs) override;
};
