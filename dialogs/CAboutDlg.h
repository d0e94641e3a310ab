#pragma once
// The about box: the application icon and the version line, centred at its
// template size and closed by the OK in its caption. It neither covers the
// screen nor touches the soft input panel.

#include "framework/CDialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();

protected:
    BOOL OnInitDialog() override;
};
