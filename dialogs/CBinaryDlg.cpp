#include "dialogs/CBinaryDlg.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "framework/CEdit.h"
#include "framework/CListCtrl.h"
#include "resources/resource.h"

BEGIN_MESSAGE_MAP(CBinaryDlg, CDialog)
    ON_BN_CLICKED(IDC_INSERT, OnInsert)
    ON_BN_CLICKED(IDC_APPEND, OnAppend)
    ON_BN_CLICKED(IDC_DELETE, OnDelete)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_VALUE, OnItemChanged)
    ON_NOTIFY(LVN_ENDLABELEDIT, IDC_VALUE, OnEndLabelEdit)
END_MESSAGE_MAP()

namespace {

int HexDigit(WCHAR ch) {
    if (ch >= u'0' && ch <= u'9') return ch - u'0';
    if (ch >= u'a' && ch <= u'f') return ch - u'a' + 10;
    if (ch >= u'A' && ch <= u'F') return ch - u'A' + 10;
    return -1;
}

bool IsBlank(WCHAR ch) { return ch == u' ' || (ch >= u'\t' && ch <= u'\r'); }

// Reads text the way "%x" reads it (leading blanks, an optional sign, an
// optional 0x, hexadecimal digits up to the first other character) and
// yields the byte it names. A number above FF is refused like text that is
// no number at all: keeping only its low byte would store something other
// than what was typed.
std::optional<BYTE> ReadByte(LPCWSTR psz) {
    while (IsBlank(*psz)) ++psz;
    const bool bNegative = *psz == u'-';
    if (*psz == u'-' || *psz == u'+') ++psz;
    if (psz[0] == u'0' && (psz[1] == u'x' || psz[1] == u'X') && HexDigit(psz[2]) >= 0) psz += 2;
    if (HexDigit(*psz) < 0) return std::nullopt;
    std::uint64_t nValue = 0;
    for (; HexDigit(*psz) >= 0; ++psz) {
        nValue = nValue * 16 + std::uint64_t(HexDigit(*psz));
        if (nValue > 0xFF) return std::nullopt;
    }
    if (bNegative && nValue != 0) return std::nullopt;  // wraps to 32 bits, far above FF
    return BYTE(nValue);
}

CString ByteLabel(unsigned nByte) {
    CString strLabel;
    strLabel.Format(u"%02X", nByte);
    return strLabel;
}

}  // namespace

CBinaryDlg::CBinaryDlg(LPCWSTR lpszHeading, LPCWSTR lpszName, BYTE* pData, DWORD nLength,
                       CWnd* pParentWnd)
    : CDialog(IDD_BINARY, pParentWnd),
      m_strHeading(lpszHeading),
      m_strName(lpszName),
      m_pData(pData),
      m_nLength(nLength) {}

CListCtrl* CBinaryDlg::List() const { return dynamic_cast<CListCtrl*>(GetDlgItem(IDC_VALUE)); }

int CBinaryDlg::SelectedIndex() const {
    CListCtrl* pList = List();
    return pList ? pList->GetNextItem(-1, LVNI_SELECTED) : -1;
}

BOOL CBinaryDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CListCtrl* pList = List();
    if (!pList) {
        EndDialog(-1);
        return FALSE;
    }
    BeginWaitCursor();
    SetDlgItemText(IDC_HEADING, m_strHeading);
    SetDlgItemText(IDC_NAME, m_strName);
    if (!m_strName.IsEmpty())
        if (auto* pName = dynamic_cast<CEdit*>(GetDlgItem(IDC_NAME))) pName->SetReadOnly(TRUE);
    // Without data there are no bytes to show, whatever length came with it.
    const DWORD nCount = m_pData ? m_nLength : 0;
    int nLast = -1;
    for (DWORD i = 0; i < nCount; ++i) nLast = pList->InsertItem(int(i), ByteLabel(m_pData[i]));
    if (nLast >= 0) pList->SetItemState(nLast, LVIS_SELECTED, LVIS_SELECTED);
    UpdateLabels();
    GotoDlgCtrl(pList);
    EndWaitCursor();
    return FALSE;
}

void CBinaryDlg::UpdateLabels() {
    CListCtrl* pList = List();
    if (!pList) return;
    CString strText;
    strText.Format(u"Size: %Xh", unsigned(pList->GetItemCount()));
    SetDlgItemText(IDC_SIZE, strText);
    const int nSelected = SelectedIndex();
    strText.Format(u"Offset: %Xh", unsigned(nSelected < 0 ? 0 : nSelected));
    SetDlgItemText(IDC_OFFSET, strText);
}

void CBinaryDlg::ShowNewByte(int nItem) {
    CListCtrl* pList = List();
    pList->SetItemState(nItem, LVIS_SELECTED, LVIS_SELECTED);
    pList->EnsureVisible(nItem, TRUE);
    UpdateLabels();
    GotoDlgCtrl(pList);
}

void CBinaryDlg::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult) {
    if (reinterpret_cast<NMLISTVIEW*>(pNMHDR)->uNewState & LVIS_SELECTED) UpdateLabels();
    *pResult = 0;
}

void CBinaryDlg::OnInsert() {
    CListCtrl* pList = List();
    if (!pList) return;
    ShowNewByte(pList->InsertItem(std::max(SelectedIndex(), 0), u"00"));
}

void CBinaryDlg::OnAppend() {
    CListCtrl* pList = List();
    if (!pList) return;
    ShowNewByte(pList->InsertItem(pList->GetItemCount(), u"00"));
}

void CBinaryDlg::OnDelete() {
    CListCtrl* pList = List();
    const int nSelected = SelectedIndex();
    if (!pList || nSelected < 0) return;
    pList->DeleteItem(nSelected);
    UpdateLabels();
    GotoDlgCtrl(pList);
}

void CBinaryDlg::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult) {
    // The control never adopts the typed text itself (*pResult stays 0):
    // a label changes only to the canonical form of the byte it names.
    const LVITEM& item = reinterpret_cast<NMLVDISPINFO*>(pNMHDR)->item;
    *pResult = 0;
    if (!item.pszText) return;  // the edit was cancelled
    if (const std::optional<BYTE> byte = ReadByte(item.pszText))
        if (CListCtrl* pList = List()) pList->SetItemText(item.iItem, 0, ByteLabel(*byte));
}

void CBinaryDlg::OnOK() {
    GetDlgItemText(IDC_NAME, m_strName);
    CListCtrl* pList = List();
    m_pData = nullptr;
    m_nLength = pList ? DWORD(pList->GetItemCount()) : 0;
    if (m_nLength > 0) {
        m_pData = new BYTE[m_nLength]();
        for (DWORD i = 0; i < m_nLength; ++i)
            m_pData[i] = ReadByte(pList->GetItemText(int(i), 0)).value_or(0);
    }
    CDialog::OnOK();
}
