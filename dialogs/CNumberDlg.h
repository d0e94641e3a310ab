#pragma once
// Collects a number value: its name and its 32 bits, shown and typed as a
// signed decimal number. A given name opens the dialog for modifying that
// value (see CInputDlg::ApplyNameRule).

#include "dialogs/CInputDlg.h"

class CNumberDlg : public CInputDlg {
public:
    CNumberDlg(LPCWSTR lpszHeading, LPCWSTR lpszName, DWORD nValue, CWnd* pParentWnd = nullptr);

    CString m_strHeading;
    CString m_strName;
    // The registry number's bits; all bits set shows as -1.
    DWORD m_nValue;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
};
