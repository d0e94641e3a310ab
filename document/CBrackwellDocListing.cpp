// The values list: one row per value of the listed key, in the order the
// registry enumerates them, so a row index is the value's enumeration index.
#include "document/CBrackwellDoc.h"
#include "document/KeyValues.h"
#include "document/RootKeyTable.h"
#include "framework/CListCtrl.h"
#include "framework/CListView.h"

void CBrackwellDoc::ReportUnreadValues(HKEY hRoot, const CString& strPath) {
    CListView* pView = ValuesView();
    if (pView)
        pView->MessageBox(u"Unable to read the values of " + KeyFullName(hRoot, strPath), u"Error",
                          MB_ICONHAND);
}

void CBrackwellDoc::LoadValues(HKEY hRoot, const CString& strPath, int nSelect) {
    m_hRootKey = hRoot;
    m_strKeyPath = strPath;
    CListCtrl* pList = ValuesList();
    if (!pList) return;
    pList->DeleteAllItems();

    // The rows read before a failure stay listed, and the failure is told.
    const LONG lResult = EnumerateKeyValues(hRoot, strPath, [&](const KeyValue& value) {
        const ValueDisplay display = DescribeValue(value.dwType, value.pData, value.cbData);
        const int nRow = pList->InsertItem(value.nIndex, value.strName, display.nImage);
        pList->SetItemText(nRow, 1, display.strText);
        if (nRow == nSelect) {
            pList->SetItemState(nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            pList->EnsureVisible(nRow, FALSE);
        }
        return true;
    });
    if (lResult != ERROR_SUCCESS) ReportUnreadValues(hRoot, strPath);
}
