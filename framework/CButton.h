#pragma once
// Push button or check box; a click sends BN_CLICKED (ON_BN_CLICKED) to the
// parent. Check boxes are read and set through the parent's
// IsDlgButtonChecked and CheckDlgButton.

#include "framework/CWnd.h"

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    CButton();

protected:
    HWND CreateWidget(CREATESTRUCT& cs) override;
};
