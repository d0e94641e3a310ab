#include "dialogs/CFindDlg.h"

#include "framework/aygshell.h"
#include "resources/resource.h"

CFindDlg::CFindDlg(const SearchSettings& settings, CWnd* pParentWnd)
    : CInputDlg(IDD_FIND, pParentWnd), m_settings(settings) {}

void CFindDlg::GetSettings(SearchSettings& settings) const { settings = m_settings; }

BOOL CFindDlg::OnInitDialog() {
    if (!CInputDlg::OnInitDialog()) return FALSE;
    SetDlgItemText(IDC_FIND_TEXT, m_settings.m_strText);
    CheckDlgButton(IDC_FIND_KEYS, m_settings.m_bKeys ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_FIND_VALUES, m_settings.m_bValues ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_FIND_DATA, m_settings.m_bData ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_MATCH_WHOLE, m_settings.m_bMatchWhole ? BST_CHECKED : BST_UNCHECKED);
    SHSipPreference(m_hWnd, SIP_UP);
    return TRUE;  // the framework focuses the first tab stop, the text box
}

void CFindDlg::OnOK() {
    GetDlgItemText(IDC_FIND_TEXT, m_settings.m_strText);
    m_settings.m_bKeys = IsDlgButtonChecked(IDC_FIND_KEYS) == BST_CHECKED;
    m_settings.m_bValues = IsDlgButtonChecked(IDC_FIND_VALUES) == BST_CHECKED;
    m_settings.m_bData = IsDlgButtonChecked(IDC_FIND_DATA) == BST_CHECKED;
    m_settings.m_bMatchWhole = IsDlgButtonChecked(IDC_MATCH_WHOLE) == BST_CHECKED;
    CInputDlg::OnOK();
}
