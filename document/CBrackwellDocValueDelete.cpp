// Deleting the selected value of the listed key.
#include "document/CBrackwellDoc.h"
#include "framework/CListCtrl.h"
#include "framework/CListView.h"

void CBrackwellDoc::DeleteValue() {
    CListView* pListView = ValuesView();
    if (!pListView) return;
    CListCtrl& list = pListView->GetListCtrl();
    if (m_nCurrentValue < 0 || m_nCurrentValue >= list.GetItemCount()) return;
    const CString strName = list.GetItemText(m_nCurrentValue, 0);
    if (pListView->MessageBox(u"Hit OK to delete " + m_strKeyPath + u'\\' + strName, u"Delete",
                              MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    HKEY hKey = nullptr;
    LONG lResult = RegOpenKeyEx(m_hRootKey, m_strKeyPath, 0, 0, &hKey);
    if (lResult == ERROR_SUCCESS) {
        lResult = RegDeleteValue(hKey, strName);
        RegCloseKey(hKey);
    }
    if (lResult != ERROR_SUCCESS) {
        pListView->MessageBox(u"Unable to delete the value", u"Error", MB_ICONHAND);
        return;
    }
    list.DeleteItem(m_nCurrentValue);
    // Not through SetSelection: the search cursor stays where it was.
    m_nCurrentValue = -1;
}
