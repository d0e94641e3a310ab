#include "document/KeyValues.h"

#include <vector>

#include "registry/registry_limits.h"

namespace {

constexpr DWORD kDataSlack = 256;
// The store keeps no longer names, so a name always fits.
constexpr DWORD kNameBufferLength = DWORD(brackwell::registry::kMaxValueNameLength) + 1;

DWORD LargestDataSize(HKEY hKey, LONG& lResult) {
    DWORD cbMaxData = 0;
    lResult = RegQueryInfoKey(hKey, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                              nullptr, &cbMaxData, nullptr, nullptr);
    return cbMaxData;
}

}  // namespace

bool IsKeyGone(LONG lResult) {
    return lResult == ERROR_FILE_NOT_FOUND || lResult == ERROR_KEY_DELETED;
}

LONG EnumerateKeyValues(HKEY hRoot, LPCWSTR lpszPath,
                        const std::function<bool(const KeyValue&)>& visit) {
    // No root is no key (the tree view lists nothing when no key is selected).
    if (!hRoot) return ERROR_SUCCESS;
    HKEY hKey = nullptr;
    LONG lResult = RegOpenKeyEx(hRoot, lpszPath, 0, 0, &hKey);
    if (lResult != ERROR_SUCCESS) return IsKeyGone(lResult) ? ERROR_SUCCESS : lResult;
    // Values whose data are all empty are read too: a key whose largest value
    // holds no bytes still has values to show, search, modify and delete.
    std::vector<BYTE> data(LargestDataSize(hKey, lResult) + kDataSlack);
    WCHAR szName[kNameBufferLength];
    // One value record for the whole key, so that its name reuses one buffer.
    KeyValue value{0, CString(), REG_NONE, nullptr, 0};
    for (DWORD dwIndex = 0; lResult == ERROR_SUCCESS;) {
        DWORD cchName = kNameBufferLength;
        DWORD cbData = DWORD(data.size());
        DWORD dwType = REG_NONE;
        lResult =
            RegEnumValue(hKey, dwIndex, szName, &cchName, nullptr, &dwType, data.data(), &cbData);
        if (lResult == ERROR_MORE_DATA && cbData > data.size()) {
            // Another program wrote a larger value since the size was asked:
            // the same row again with a buffer of the size it reported.
            data.resize(cbData + kDataSlack);
            lResult = ERROR_SUCCESS;
            continue;
        }
        if (lResult == ERROR_NO_MORE_ITEMS) {
            lResult = ERROR_SUCCESS;
            break;
        }
        if (lResult != ERROR_SUCCESS) break;
        value.nIndex = int(dwIndex);
        value.strName.SetString(szName, int(cchName));
        value.dwType = dwType;
        value.pData = data.data();
        value.cbData = cbData;
        if (!visit(value)) break;
        ++dwIndex;
    }
    RegCloseKey(hKey);
    return lResult;
}
