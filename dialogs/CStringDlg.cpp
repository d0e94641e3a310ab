#include "dialogs/CStringDlg.h"

#include "framework/aygshell.h"
#include "resources/resource.h"

CStringDlg::CStringDlg(LPCWSTR lpszHeading, LPCWSTR lpszName, LPCWSTR lpszValue, CWnd* pParentWnd)
    : CInputDlg(IDD_STRING, pParentWnd),
      m_strHeading(lpszHeading),
      m_strName(lpszName),
      m_strValue(lpszValue) {}

BOOL CStringDlg::OnInitDialog() {
    if (!CInputDlg::OnInitDialog()) return FALSE;
    SetDlgItemText(IDC_HEADING, m_strHeading);
    SetDlgItemText(IDC_NAME, m_strName);
    SetDlgItemText(IDC_VALUE, m_strValue);
    ApplyNameRule(m_strName);
    SHSipPreference(m_hWnd, SIP_UP);
    return FALSE;
}

void CStringDlg::OnOK() {
    GetDlgItemText(IDC_NAME, m_strName);
    GetDlgItemText(IDC_VALUE, m_strValue);
    CInputDlg::OnOK();
}
