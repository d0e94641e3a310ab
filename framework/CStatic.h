#pragma once
// Static text (SS_LEFT, SS_RIGHT) or icon (SS_ICON).

#include "framework/CWnd.h"

class CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
public:
    CStatic();

protected:
    HWND CreateWidget(CREATESTRUCT& cs) override;
};
