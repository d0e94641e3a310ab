// The key tree: the whole registry read into the tree in one pass, and the
// path of a tree item.
#include "document/CBrackwellDoc.h"
#include "document/RootKeyTable.h"
#include "framework/CTreeView.h"

namespace {

constexpr int kKeyImage = 0;
constexpr DWORD kNameBufferLength = 1024;

}  // namespace

void CBrackwellDoc::FillTree(CTreeView* pTreeView) {
    CTreeCtrl& tree = pTreeView->GetTreeCtrl();
    tree.DeleteAllItems();
    for (RootKeyEntry& root : RootKeyTable) {
        root.hItem = tree.InsertItem(root.pszName, TVI_ROOT, TVI_LAST);
        tree.SetItemImage(root.hItem, kKeyImage, kKeyImage);
        tree.SetItemData(root.hItem, reinterpret_cast<DWORD_PTR>(root.hKey));
        FillSubKeys(pTreeView, root.hKey, CString(), root.hItem);
        tree.SortChildren(root.hItem);
    }
    // Reported at once: the key tree view lists this root's values before we return.
    tree.SelectItem(RootKeyTable[0].hItem);
}

// Recursion depth follows key depth, which the store caps at 512 levels, so
// the stack stays bounded (about 2 KiB of name buffer per level).
int CBrackwellDoc::FillSubKeys(CTreeView* pTreeView, HKEY hRoot, const CString& strPath,
                               HTREEITEM hParent) {
    HKEY hKey = nullptr;
    if (RegOpenKeyEx(hRoot, strPath, 0, 0, &hKey) != ERROR_SUCCESS) return 0;
    CTreeCtrl& tree = pTreeView->GetTreeCtrl();
    WCHAR szName[kNameBufferLength];
    for (DWORD dwIndex = 0;; ++dwIndex) {
        DWORD cchName = kNameBufferLength;
        if (RegEnumKeyEx(hKey, dwIndex, szName, &cchName, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        const CString strName(szName, int(cchName));
        HTREEITEM hItem = tree.InsertItem(strName, hParent, TVI_LAST);
        tree.SetItemImage(hItem, kKeyImage, kKeyImage);
        FillSubKeys(pTreeView, hRoot, strPath + u'\\' + strName, hItem);
    }
    RegCloseKey(hKey);
    return 0;
}

void CBrackwellDoc::GetKeyPath(CTreeView* pTreeView, HTREEITEM hItem, CString& strPath,
                               HKEY& hRoot) {
    const CTreeCtrl& tree = pTreeView->GetTreeCtrl();
    strPath = tree.GetItemText(hItem);
    for (HTREEITEM hAncestor = tree.GetParentItem(hItem); hAncestor;
         hAncestor = tree.GetParentItem(hAncestor)) {
        if (tree.GetParentItem(hAncestor))
            strPath = tree.GetItemText(hAncestor) + u'\\' + strPath;
        else
            hRoot = reinterpret_cast<HKEY>(tree.GetItemData(hAncestor));
    }
}
