#include "dialogs/CNumberDlg.h"

#include <cstdint>
#include <string_view>

#include "framework/aygshell.h"
#include "resources/resource.h"

namespace {

constexpr LPCWSTR kNotANumber =
    u"The value must be a number from -2147483648 to 4294967295, or from 0x0 to 0xFFFFFFFF";

bool IsBlank(WCHAR ch) {
    return ch == u' ' || ch == u'\t';
}

std::u16string_view WithoutBlanks(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

int HexDigit(WCHAR ch) {
    if (ch >= u'0' && ch <= u'9') return ch - u'0';
    if (ch >= u'a' && ch <= u'f') return ch - u'a' + 10;
    if (ch >= u'A' && ch <= u'F') return ch - u'A' + 10;
    return -1;
}

// "0x" followed by hexadecimal digits worth at most 32 bits.
bool ReadHexadecimal(std::u16string_view text, DWORD& dwValue) {
    if (text.size() < 3 || text[0] != u'0' || (text[1] != u'x' && text[1] != u'X')) return false;
    std::uint64_t value = 0;
    for (WCHAR ch : text.substr(2)) {
        const int digit = HexDigit(ch);
        if (digit < 0) return false;
        value = value * 16 + std::uint64_t(digit);
        if (value > 0xFFFFFFFF) return false;
    }
    dwValue = DWORD(value);
    return true;
}

}  // namespace

CNumberDlg::CNumberDlg(LPCWSTR lpszHeading, LPCWSTR lpszName, DWORD nValue, CWnd* pParentWnd)
    : CInputDlg(IDD_NUMBER, pParentWnd),
      m_strHeading(lpszHeading),
      m_strName(lpszName),
      m_nValue(nValue) {}

BOOL CNumberDlg::OnInitDialog() {
    if (!CInputDlg::OnInitDialog()) return FALSE;
    SetDlgItemText(IDC_HEADING, m_strHeading);
    SetDlgItemText(IDC_NAME, m_strName);
    SetDlgItemInt(IDC_VALUE, m_nValue, TRUE);
    ApplyNameRule(m_strName);
    SHSipPreference(m_hWnd, SIP_UP);
    return FALSE;
}

// A registry number is 32 bits however it is typed: -2147483648 to -1, 0 to
// 4294967295, or 0x0 to 0xFFFFFFFF; an empty field is 0. Text that is none
// of these is refused rather than stored as a number nobody typed.
BOOL CNumberDlg::ReadValue(DWORD& dwValue) const {
    BOOL bRead = FALSE;
    dwValue = GetDlgItemInt(IDC_VALUE, &bRead, TRUE);
    if (!bRead) dwValue = GetDlgItemInt(IDC_VALUE, &bRead, FALSE);
    if (bRead) return TRUE;
    CString strText;
    GetDlgItemText(IDC_VALUE, strText);
    const std::u16string_view text = WithoutBlanks(strText.str());
    dwValue = 0;
    return text.empty() || ReadHexadecimal(text, dwValue);
}

void CNumberDlg::OnOK() {
    DWORD dwValue = 0;
    if (!ReadValue(dwValue)) {
        MessageBox(kNotANumber, u"Error", MB_ICONHAND);
        GotoDlgCtrl(GetDlgItem(IDC_VALUE));
        return;
    }
    GetDlgItemText(IDC_NAME, m_strName);
    m_nValue = dwValue;
    CInputDlg::OnOK();
}
