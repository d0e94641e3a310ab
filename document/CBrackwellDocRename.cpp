// Renaming a value of the listed key. The registry has no rename, so the
// value is rewritten under the new name and the old one removed, in an order
// that never loses the value or another value it could collide with.
#include <vector>

#include "document/CBrackwellDoc.h"

namespace {

struct StoredValue {
    DWORD dwType = REG_NONE;
    std::vector<BYTE> data;
};

bool ReadValue(HKEY hKey, LPCWSTR pszName, StoredValue& value) {
    DWORD cbData = 0;
    if (RegQueryValueEx(hKey, pszName, nullptr, nullptr, nullptr, &cbData) != ERROR_SUCCESS)
        return false;
    value.data.resize(cbData);
    return RegQueryValueEx(hKey, pszName, nullptr, &value.dwType,
                           cbData ? value.data.data() : nullptr, &cbData) == ERROR_SUCCESS &&
           cbData == value.data.size();
}

bool WriteValue(HKEY hKey, LPCWSTR pszName, const StoredValue& value) {
    return RegSetValueEx(hKey, pszName, 0, value.dwType, value.data.data(),
                         DWORD(value.data.size())) == ERROR_SUCCESS;
}

bool Exists(HKEY hKey, LPCWSTR pszName) {
    DWORD cbData = 0;
    return RegQueryValueEx(hKey, pszName, nullptr, nullptr, nullptr, &cbData) == ERROR_SUCCESS;
}

// Names that differ only in case name the same value: take it out and put it
// back under the new spelling. Should the store see two different values
// after all, or the write fail, the old value goes back as it was.
bool ChangeCase(HKEY hKey, const CString& strOldName, const CString& strNewName,
                const StoredValue& value) {
    if (RegDeleteValue(hKey, strOldName) != ERROR_SUCCESS) return false;
    if (!Exists(hKey, strNewName) && WriteValue(hKey, strNewName, value)) return true;
    WriteValue(hKey, strOldName, value);
    return false;
}

// Copy first, then delete: a failed delete leaves both names in place rather
// than none.
bool MoveToFreeName(HKEY hKey, const CString& strOldName, const CString& strNewName,
                    const StoredValue& value) {
    if (!WriteValue(hKey, strNewName, value)) return false;
    return RegDeleteValue(hKey, strOldName) == ERROR_SUCCESS;
}

}  // namespace

BOOL CBrackwellDoc::RenameValue(const CString& strOldName, const CString& strNewName) {
    HKEY hKey = nullptr;
    if (RegOpenKeyEx(m_hRootKey, m_strKeyPath, 0, 0, &hKey) != ERROR_SUCCESS) return FALSE;
    bool bRenamed = false;
    StoredValue value;
    if (ReadValue(hKey, strOldName, value)) {
        if (strNewName == strOldName)
            bRenamed = true;
        else if (strNewName.CompareNoCase(strOldName) == 0)
            bRenamed = ChangeCase(hKey, strOldName, strNewName, value);
        else if (!Exists(hKey, strNewName))
            bRenamed = MoveToFreeName(hKey, strOldName, strNewName, value);
        // Otherwise another value bears the new name: refuse rather than destroy it.
    }
    RegCloseKey(hKey);
    return bRenamed;
}
