// The values list: one row per value of the listed key, in the order the
// registry enumerates them, so a row index is the value's enumeration index.
#include <vector>

#include "document/CBrackwellDoc.h"
#include "framework/CListCtrl.h"

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

void CBrackwellDoc::LoadValues(HKEY hRoot, const CString& strPath, int nSelect) {
    m_hRootKey = hRoot;
    m_strKeyPath = strPath;
    CListCtrl* pList = ValuesList();
    if (!pList) return;
    pList->DeleteAllItems();

    HKEY hKey = nullptr;
    if (RegOpenKeyEx(hRoot, strPath, 0, 0, &hKey) != ERROR_SUCCESS) return;
    // Values whose data are all empty are listed too: a key whose largest
    // value holds no bytes still has values to show, modify and delete.
    std::vector<BYTE> data(LargestDataSize(hKey) + kDataSlack);
    WCHAR szName[kNameBufferLength];
    for (DWORD dwIndex = 0;; ++dwIndex) {
        DWORD cchName = kNameBufferLength;
        DWORD cbData = DWORD(data.size());
        DWORD dwType = REG_NONE;
        if (RegEnumValue(hKey, dwIndex, szName, &cchName, nullptr, &dwType, data.data(),
                         &cbData) != ERROR_SUCCESS)
            break;
        const ValueDisplay display = DescribeValue(dwType, data.data(), cbData);
        const int nRow = pList->InsertItem(int(dwIndex), CString(szName, int(cchName)),
                                           display.nImage);
        pList->SetItemText(nRow, 1, display.strText);
        if (nRow == nSelect) {
            pList->SetItemState(nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            pList->EnsureVisible(nRow, FALSE);
        }
    }
    RegCloseKey(hKey);
}
