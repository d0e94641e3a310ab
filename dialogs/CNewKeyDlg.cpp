#include "dialogs/CNewKeyDlg.h"

#include "framework/aygshell.h"
#include "resources/resource.h"

CNewKeyDlg::CNewKeyDlg(CWnd* pParentWnd) : CInputDlg(IDD_NEW_KEY, pParentWnd) {}

BOOL CNewKeyDlg::OnInitDialog() {
    if (!CInputDlg::OnInitDialog()) return FALSE;
    SHSipPreference(m_hWnd, SIP_UP);
    return TRUE;  // the framework focuses the first tab stop, the name field
}

void CNewKeyDlg::OnOK() {
    GetDlgItemText(IDC_KEY_NAME, m_strName);
    CInputDlg::OnOK();
}
