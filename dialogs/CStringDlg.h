#pragma once
// Collects a string value: its name and its text. A given name opens the
// dialog for modifying that value (see CInputDlg::ApplyNameRule).

#include "dialogs/CInputDlg.h"

class CStringDlg : public CInputDlg {
public:
    CStringDlg(LPCWSTR lpszHeading, LPCWSTR lpszName, LPCWSTR lpszValue, CWnd* pParentWnd = nullptr);

    CString m_strHeading;
    CString m_strName;
    CString m_strValue;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
};
