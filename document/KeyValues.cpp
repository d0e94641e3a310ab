#include "document/KeyValues.h"

#include <vector>

namespace {

constexpr DWORD kNameBufferLength = 1024;
constexpr DWORD kDataSlack = 256;

DWORD LargestDataSize(HKEY hKey) {
    DWORD cbMaxData = 0;
    if (RegQueryInfoKey(hKey, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                        nullptr, &cbMaxData, nullptr, nullptr) != ERROR_SUCCESS)
        return 0;
    return cbMaxData;
}

}  // namespace

void EnumerateKeyValues(HKEY hRoot, LPCWSTR lpszPath,
                        const std::function<bool(const KeyValue&)>& visit) {
    HKEY hKey = nullptr;
    if (RegOpenKeyEx(hRoot, lpszPath, 0, 0, &hKey) != ERROR_SUCCESS) return;
    // Values whose data are all empty are read too: a key whose largest value
    // holds no bytes still has values to show, search, modify and delete.
    std::vector<BYTE> data(LargestDataSize(hKey) + kDataSlack);
    WCHAR szName[kNameBufferLength];
    for (DWORD dwIndex = 0;; ++dwIndex) {
        DWORD cchName = kNameBufferLength;
        DWORD cbData = DWORD(data.size());
        DWORD dwType = REG_NONE;
        if (RegEnumValue(hKey, dwIndex, szName, &cchName, nullptr, &dwType, data.data(),
                         &cbData) != ERROR_SUCCESS)
            break;
        if (!visit({int(dwIndex), CString(szName, int(cchName)), dwType, data.data(), cbData}))
            break;
    }
    RegCloseKey(hKey);
}
