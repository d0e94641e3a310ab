#include "dialogs/CInputDlg.h"

#include "framework/CEdit.h"
#include "framework/aygshell.h"
#include "resources/resource.h"

BEGIN_MESSAGE_MAP(CInputDlg, CDialog)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CInputDlg::CInputDlg(UINT nIDTemplate, CWnd* pParentWnd) : CDialog(nIDTemplate, pParentWnd) {}

BOOL CInputDlg::OnInitDialog() {
    if (!CDialog::OnInitDialog()) {
        EndDialog(-1);
        return FALSE;
    }
    if (m_bFullScreen) {
        // Only sizing is asked for: no Done button, the input panel as it is.
        // A refusal leaves the dialog at its template size.
        SHINITDLGINFO info{};
        info.dwMask = SHIDIM_FLAGS;
        info.hDlg = m_hWnd;
        info.dwFlags = SHIDIF_SIZEDLGFULLSCREEN;
        SHInitDialog(&info);
    }
    return TRUE;
}

void CInputDlg::OnDestroy() {
    SHSipPreference(m_hWnd, SIP_DOWN);
    CDialog::OnDestroy();
}

void CInputDlg::ApplyNameRule(const CString& strName) {
    if (strName.IsEmpty()) {
        GotoDlgCtrl(GetDlgItem(IDC_NAME));
        return;
    }
    if (auto* name = dynamic_cast<CEdit*>(GetDlgItem(IDC_NAME))) name->SetReadOnly(TRUE);
    GotoDlgCtrl(GetDlgItem(IDC_VALUE));
}
