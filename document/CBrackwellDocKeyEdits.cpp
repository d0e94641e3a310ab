// Creating a key below the selected key and deleting the selected key; the
// key tree follows each change without being filled again.
#include "document/CBrackwellDoc.h"
#include "framework/CTreeView.h"

namespace {

constexpr UINT kErrorStyle = MB_ICONHAND;
constexpr UINT kConfirmStyle = MB_OKCANCEL | MB_ICONQUESTION;

// The store would read a backslash as a path and skip empty names, so such a
// name would create nested keys, or none, while the tree showed one item.
bool IsSingleKeyName(const CString& strName) {
    return !strName.IsEmpty() && strName.Find(u'\\') == -1;
}

}  // namespace

BOOL CBrackwellDoc::AddKey(const CString& strName) {
    CTreeView* pTreeView = KeyTreeView();
    if (!pTreeView || !m_hCurrentItem) return FALSE;
    HKEY hKey = nullptr;
    DWORD dwDisposition = 0;
    if (!IsSingleKeyName(strName) ||
        RegCreateKeyEx(m_hRootKey, m_strKeyPath + u'\\' + strName, 0, const_cast<LPWSTR>(u""), 0, 0,
                       nullptr, &hKey, &dwDisposition) != ERROR_SUCCESS) {
        pTreeView->MessageBox(u"Unable to add the key", u"Error", kErrorStyle);
        return FALSE;
    }
    RegCloseKey(hKey);
    if (dwDisposition != REG_CREATED_NEW_KEY) {
        pTreeView->MessageBox(u"The key was already present!", u"Error", kErrorStyle);
        return FALSE;
    }
    CTreeCtrl& tree = pTreeView->GetTreeCtrl();
    HTREEITEM hItem = tree.InsertItem(strName, m_hCurrentItem, TVI_LAST);
    tree.SetItemImage(hItem, 0, 0);
    tree.SortChildren(m_hCurrentItem);
    m_hCurrentItem = tree.GetNextItem(nullptr, TVGN_CARET);
    return TRUE;
}

// A root cannot be deleted: its item has no parent, and it is refused before
// anything is asked or handed to the store.
void CBrackwellDoc::DeleteKey() {
    CTreeView* pTreeView = KeyTreeView();
    if (!pTreeView || !m_hCurrentItem) return;
    CTreeCtrl& tree = pTreeView->GetTreeCtrl();
    if (!tree.GetParentItem(m_hCurrentItem)) {
        pTreeView->MessageBox(u"Unable to delete the key", u"Error", kErrorStyle);
        return;
    }
    CString strPath;
    HKEY hRoot = nullptr;
    GetKeyPath(pTreeView, m_hCurrentItem, strPath, hRoot);
    if (pTreeView->MessageBox(u"Hit OK to delete " + strPath, u"Delete", kConfirmStyle) != IDOK)
        return;
    if (RegDeleteKey(hRoot, strPath) != ERROR_SUCCESS) {
        pTreeView->MessageBox(u"Unable to delete the key", u"Error", kErrorStyle);
        return;
    }
    // The tree selects a neighbour and reports it, which lists its values.
    tree.DeleteItem(m_hCurrentItem);
    m_hCurrentItem = tree.GetNextItem(nullptr, TVGN_CARET);
}
