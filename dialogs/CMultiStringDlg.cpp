#include "dialogs/CMultiStringDlg.h"

#include <algorithm>
#include <string>

#include "framework/CEdit.h"
#include "framework/aygshell.h"
#include "resources/resource.h"

CMultiStringDlg::CMultiStringDlg(LPCWSTR lpszHeading, LPCWSTR lpszName, CStringList* pList,
                                 CWnd* pParentWnd)
    : CInputDlg(IDD_MULTI_STRING, pParentWnd),
      m_strHeading(lpszHeading),
      m_strName(lpszName),
      m_pList(pList ? pList : new CStringList(10)),
      m_bOwnsList(pList == nullptr) {}

CMultiStringDlg::~CMultiStringDlg() {
    if (m_bOwnsList) delete m_pList;
}

BOOL CMultiStringDlg::OnInitDialog() {
    if (!CInputDlg::OnInitDialog()) return FALSE;
    SetDlgItemText(IDC_HEADING, m_strHeading);
    SetDlgItemText(IDC_NAME, m_strName);
    CString strText;
    for (POSITION pos = m_pList->GetHeadPosition(); pos;) {
        strText += m_pList->GetNext(pos);
        if (pos) strText += u"\r\n";
    }
    SetDlgItemText(IDC_VALUE, strText);
    ApplyNameRule(m_strName);
    SHSipPreference(m_hWnd, SIP_UP);
    return FALSE;
}

void CMultiStringDlg::OnOK() {
    GetDlgItemText(IDC_NAME, m_strName);
    m_pList->RemoveAll();
    if (auto* pEdit = dynamic_cast<CEdit*>(GetDlgItem(IDC_VALUE))) {
        // No line is longer than the whole text, so a buffer of that size
        // reads every line whole. The empty field still has one line.
        const int nCapacity = std::max(1, pEdit->GetWindowTextLength());
        std::u16string buffer(std::size_t(nCapacity), u'\0');
        for (int i = 0; i < pEdit->GetLineCount(); ++i) {
            const int n = pEdit->GetLine(i, buffer.data(), nCapacity);
            m_pList->AddTail(CString(buffer.data(), n));
        }
    }
    CInputDlg::OnOK();
}
