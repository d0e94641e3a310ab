#include "dialogs/CNumberDlg.h"

#include "framework/aygshell.h"
#include "resources/resource.h"

CNumberDlg::CNumberDlg(LPCWSTR lpszHeading, LPCWSTR lpszName, DWORD nValue, CWnd* pParentWnd)
    : CInputDlg(IDD_NUMBER, pParentWnd), m_strHeading(lpszHeading), m_strName(lpszName), m_nValue(nValue) {}

BOOL CNumberDlg::OnInitDialog() {
    if (!CInputDlg::OnInitDialog()) return FALSE;
    SetDlgItemText(IDC_HEADING, m_strHeading);
    SetDlgItemText(IDC_NAME, m_strName);
    SetDlgItemInt(IDC_VALUE, m_nValue, TRUE);
    ApplyNameRule(m_strName);
    SHSipPreference(m_hWnd, SIP_UP);
    return FALSE;
}

void CNumberDlg::OnOK() {
    GetDlgItemText(IDC_NAME, m_strName);
    // A registry number is 32 bits however it is typed: -2147483648 to -1
    // and 0 to 4294967295 are both accepted. Anything else reads as 0.
    BOOL bSigned = FALSE;
    m_nValue = GetDlgItemInt(IDC_VALUE, &bSigned, TRUE);
    if (!bSigned) m_nValue = GetDlgItemInt(IDC_VALUE, nullptr, FALSE);
    CInputDlg::OnOK();
}
