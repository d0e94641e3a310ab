// Reading a value of the listed key to fill a modify dialog. The buffer of
// each read is sized by the value's own size just asked for, so a value that
// another program enlarged in the meantime fails the read instead of
// overrunning the buffer.
#include <algorithm>
#include <vector>

#include "document/CBrackwellDoc.h"
#include "framework/CStringList.h"

namespace {

bool QueryValue(HKEY hRoot, const CString& strPath, const CString& strName, DWORD& dwType,
                std::vector<BYTE>& data) {
    HKEY hKey = nullptr;
    if (RegOpenKeyEx(hRoot, strPath, 0, 0, &hKey) != ERROR_SUCCESS) return false;
    DWORD cbData = 0;
    bool bRead =
        RegQueryValueEx(hKey, strName, nullptr, nullptr, nullptr, &cbData) == ERROR_SUCCESS;
    if (bRead) {
        data.resize(cbData);
        bRead =
            RegQueryValueEx(hKey, strName, nullptr, &dwType, data.data(), &cbData) == ERROR_SUCCESS;
        data.resize(std::min<std::size_t>(cbData, data.size()));
    }
    RegCloseKey(hKey);
    return bRead;
}

}  // namespace

BOOL CBrackwellDoc::ReadValueType(const CString& strName, DWORD& dwType) {
    HKEY hKey = nullptr;
    if (RegOpenKeyEx(m_hRootKey, m_strKeyPath, 0, 0, &hKey) != ERROR_SUCCESS) return FALSE;
    DWORD cbData = 0;
    const LONG lResult = RegQueryValueEx(hKey, strName, nullptr, &dwType, nullptr, &cbData);
    RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

BOOL CBrackwellDoc::ReadString(const CString& strName, CString& strValue) {
    DWORD dwType = REG_NONE;
    std::vector<BYTE> data;
    if (!QueryValue(m_hRootKey, m_strKeyPath, strName, dwType, data)) return FALSE;
    strValue = DescribeValue(REG_SZ, data.data(), DWORD(data.size())).strText;
    return TRUE;
}

BOOL CBrackwellDoc::ReadNumber(const CString& strName, DWORD& dwValue) {
    DWORD dwType = REG_NONE;
    std::vector<BYTE> data;
    if (!QueryValue(m_hRootKey, m_strKeyPath, strName, dwType, data) || data.size() != 4)
        return FALSE;
    dwValue = DWORD(data[0]) | DWORD(data[1]) << 8 | DWORD(data[2]) << 16 | DWORD(data[3]) << 24;
    return TRUE;
}

// Each string ends at its NUL; the NUL that closes the list is not counted,
// so a, NUL, b, NUL, NUL gives a and b, two NULs give one empty string, and
// a single NUL gives none. Data that another program wrote without the
// closing NUL keep their last character: the last string runs to the end,
// so modifying such a value loses nothing.
BOOL CBrackwellDoc::ReadMultiString(const CString& strName, CStringList& list) {
    DWORD dwType = REG_NONE;
    std::vector<BYTE> data;
    if (!QueryValue(m_hRootKey, m_strKeyPath, strName, dwType, data)) return FALSE;
    std::u16string chars(data.size() / 2, u'\0');
    std::copy_n(data.begin(), chars.size() * 2, reinterpret_cast<BYTE*>(chars.data()));
    const std::size_t nCount =
        !chars.empty() && chars.back() == u'\0' ? chars.size() - 1 : chars.size();
    for (std::size_t nOffset = 0; nOffset < nCount;) {
        const std::size_t nEnd = std::min(chars.find(u'\0', nOffset), nCount);
        list.AddTail(CString(std::u16string_view(chars).substr(nOffset, nEnd - nOffset)));
        nOffset = nEnd + 1;
    }
    return TRUE;
}

BOOL CBrackwellDoc::ReadBinary(const CString& strName, BYTE*& pData, DWORD& cbData) {
    pData = nullptr;
    cbData = 0;
    HKEY hKey = nullptr;
    if (RegOpenKeyEx(m_hRootKey, m_strKeyPath, 0, 0, &hKey) != ERROR_SUCCESS) return FALSE;
    // A value the size query cannot find reads as no bytes, as designed for
    // an empty value.
    if (RegQueryValueEx(hKey, strName, nullptr, nullptr, nullptr, &cbData) != ERROR_SUCCESS)
        cbData = 0;
    BOOL bRead = TRUE;
    if (cbData > 0) {
        pData = new BYTE[cbData];
        bRead = RegQueryValueEx(hKey, strName, nullptr, nullptr, pData, &cbData) == ERROR_SUCCESS;
    }
    RegCloseKey(hKey);
    return bRead;
}
