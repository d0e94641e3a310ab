#pragma once
// Collects a number value: its name and its 32 bits, shown as a signed
// decimal number and typed in decimal or, after "0x", in hexadecimal. Text
// that is no such number is refused with a message and the dialog stays
// open. A given name opens the dialog for modifying that value (see
// CInputDlg::ApplyNameRule).

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

private:
    // The number the value field holds; FALSE when it holds none.
    BOOL ReadValue(DWORD& dwValue) const;
};
