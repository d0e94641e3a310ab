// Writing values into the listed key: one write for every type, and the
// typed writers that lay out their data for it.
#include <vector>

#include "document/CBrackwellDoc.h"
#include "framework/CListCtrl.h"
#include "framework/CListView.h"
#include "framework/CStringList.h"
#include "framework/CTreeView.h"

namespace {

LPCWSTR WriteFailureText(DWORD dwType) {
    switch (dwType) {
        case REG_SZ:
        case REG_EXPAND_SZ:
            return u"Unable to add/modify string";
        case REG_MULTI_SZ:
            return u"Unable to add/modify multi string";
        case REG_DWORD:
            return u"Unable to add/modify number";
        default:
            return u"Unable to add/modify binary";
    }
}

// The row of a listed value of that name, compared as the store compares
// names; -1 when none.
int RowNamed(const CListCtrl& list, const CString& strName) {
    for (int nRow = 0; nRow < list.GetItemCount(); ++nRow)
        if (list.GetItemText(nRow, 0).CompareNoCase(strName) == 0) return nRow;
    return -1;
}

// A new value given the name of one the key already holds replaces that
// value, whatever its type: the person confirms first. The question names
// the value as its row shows it.
bool ConfirmReplace(CListView* pListView, const CString& strName) {
    if (!pListView) return true;
    const CListCtrl& list = pListView->GetListCtrl();
    const int nRow = RowNamed(list, strName);
    const CString strShown = nRow == -1 ? strName : list.GetItemText(nRow, 0);
    return pListView->MessageBox(u"Hit OK to replace " + strShown, u"Replace",
                                 MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

// Each string and its NUL in order, then one more NUL.
std::vector<WCHAR> MultiStringChars(const CStringList& list) {
    std::vector<WCHAR> chars;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const CString& strItem = list.GetNext(pos);
        chars.insert(chars.end(), strItem.str().begin(), strItem.str().end());
        chars.push_back(u'\0');
    }
    chars.push_back(u'\0');
    return chars;
}

}  // namespace

BOOL CBrackwellDoc::SetValue(const CString& strName, DWORD dwType, const BYTE* pData, DWORD cbData,
                             int nRow) {
    CListCtrl* pList = ValuesList();
    CTreeView* pTreeView = KeyTreeView();
    DWORD dwOldType = REG_NONE;
    if (nRow == -1 && ReadValueType(strName, dwOldType) && !ConfirmReplace(ValuesView(), strName))
        return FALSE;
    HKEY hKey = nullptr;
    LONG lResult = RegOpenKeyEx(m_hRootKey, m_strKeyPath, 0, 0, &hKey);
    if (lResult == ERROR_SUCCESS) {
        lResult = RegSetValueEx(hKey, strName, 0, dwType, pData, cbData);
        RegCloseKey(hKey);
    }
    if (lResult != ERROR_SUCCESS) {
        if (pTreeView) pTreeView->MessageBox(WriteFailureText(dwType), u"Error", MB_ICONHAND);
        return FALSE;
    }
    if (!pList) return TRUE;

    const ValueDisplay display = DescribeValue(dwType, pData, cbData);
    if (nRow == -1) {
        // The store replaced a value of that name: its row shows the new data
        // and type instead of a second row appearing for the same value.
        nRow = RowNamed(*pList, strName);
        if (nRow == -1)
            nRow = pList->InsertItem(pList->GetItemCount(), strName, display.nImage);
        else
            pList->SetItem(nRow, 0, LVIF_IMAGE, nullptr, display.nImage, 0, 0, 0);
    }
    pList->SetItemText(nRow, 1, display.strText);
    return TRUE;
}

BOOL CBrackwellDoc::SetString(const CString& strName, const CString& strValue, int nRow,
                              DWORD dwType) {
    // The characters and their NUL, which c_str() provides.
    return SetValue(strName, dwType, reinterpret_cast<const BYTE*>(LPCWSTR(strValue)),
                    DWORD(strValue.GetLength() + 1) * sizeof(WCHAR), nRow);
}

BOOL CBrackwellDoc::SetMultiString(const CString& strName, const CStringList& list, int nRow) {
    const std::vector<WCHAR> chars = MultiStringChars(list);
    return SetValue(strName, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(chars.data()),
                    DWORD(chars.size() * sizeof(WCHAR)), nRow);
}

BOOL CBrackwellDoc::SetBinary(const CString& strName, const BYTE* pData, DWORD cbData, int nRow) {
    return SetValue(strName, REG_BINARY, pData, cbData, nRow);
}

BOOL CBrackwellDoc::SetNumber(const CString& strName, DWORD dwValue, int nRow) {
    const BYTE data[4] = {BYTE(dwValue), BYTE(dwValue >> 8), BYTE(dwValue >> 16),
                          BYTE(dwValue >> 24)};
    return SetValue(strName, REG_DWORD, data, sizeof(data), nRow);
}
