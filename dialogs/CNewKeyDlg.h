#pragma once
// Asks for the name of a new key. The field always opens empty.

#include "dialogs/CInputDlg.h"

class CNewKeyDlg : public CInputDlg {
public:
    explicit CNewKeyDlg(CWnd* pParentWnd = nullptr);

    // The typed name after IDOK.
    CString m_strName;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
};
