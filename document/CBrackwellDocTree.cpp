// The key tree: the whole registry read into the tree in one pass, and the
// path of a tree item.
#include <vector>

#include "document/CBrackwellDoc.h"
#include "document/KeyValues.h"
#include "document/RootKeyTable.h"
#include "framework/CTreeView.h"
#include "registry/registry_limits.h"

namespace {

constexpr int kKeyImage = 0;
// The store keeps no longer key names, so a name always fits.
constexpr DWORD kNameBufferLength = DWORD(brackwell::registry::kMaxKeyNameLength) + 1;

}  // namespace

void CBrackwellDoc::FillTree(CTreeView* pTreeView) {
    CTreeCtrl& tree = pTreeView->GetTreeCtrl();
    tree.DeleteAllItems();
    m_strUnreadKey.Empty();
    m_bUnreadKeys = FALSE;
    for (RootKeyEntry& root : RootKeyTable) {
        root.hItem = tree.InsertItem(root.pszName, TVI_ROOT, TVI_LAST);
        tree.SetItemImage(root.hItem, kKeyImage, kKeyImage);
        tree.SetItemData(root.hItem, reinterpret_cast<DWORD_PTR>(root.hKey));
        FillSubKeys(pTreeView, root.hKey, CString(), root.hItem);
        tree.SortChildren(root.hItem);
    }
    // A key whose subkeys could not all be read is told once the tree
    // stands, so the person knows it is not the whole registry.
    if (m_bUnreadKeys)
        pTreeView->MessageBox(u"Unable to read the keys below " + m_strUnreadKey, u"Error",
                              MB_ICONHAND);
    // Reported at once: the key tree view lists this root's values before we return.
    tree.SelectItem(RootKeyTable[0].hItem);
}

// Recursion depth follows key depth, which the store holds to 512 levels on
// every file it opens, so the stack stays bounded (about 1 KiB per level).
// A key that another program deleted meanwhile just has no subkeys; any
// other failure is noted for FillTree to tell, and the fill goes on.
int CBrackwellDoc::FillSubKeys(CTreeView* pTreeView, HKEY hRoot, const CString& strPath,
                               HTREEITEM hParent) {
    HKEY hKey = nullptr;
    LONG lResult = RegOpenKeyEx(hRoot, strPath, 0, 0, &hKey);
    if (lResult == ERROR_SUCCESS) {
        CTreeCtrl& tree = pTreeView->GetTreeCtrl();
        WCHAR szName[kNameBufferLength];
        // Each subkey's path is this key's path, a backslash and its name,
        // written over the previous subkey's name in one buffer that has
        // room for the longest name.
        const int nPrefix = strPath.GetLength() + 1;
        CString strSubKeyPath;
        strSubKeyPath.Preallocate(nPrefix + int(kNameBufferLength));
        strSubKeyPath += strPath;
        strSubKeyPath += u'\\';
        for (DWORD dwIndex = 0;; ++dwIndex) {
            DWORD cchName = kNameBufferLength;
            lResult =
                RegEnumKeyEx(hKey, dwIndex, szName, &cchName, nullptr, nullptr, nullptr, nullptr);
            if (lResult != ERROR_SUCCESS) break;
            HTREEITEM hItem = tree.InsertItem(szName, hParent, TVI_LAST);
            tree.SetItemImage(hItem, kKeyImage, kKeyImage);
            strSubKeyPath.Truncate(nPrefix);
            strSubKeyPath += szName;
            FillSubKeys(pTreeView, hRoot, strSubKeyPath, hItem);
        }
        RegCloseKey(hKey);
        if (lResult == ERROR_NO_MORE_ITEMS) lResult = ERROR_SUCCESS;
    }
    if (lResult != ERROR_SUCCESS && !IsKeyGone(lResult) && !m_bUnreadKeys) {
        m_bUnreadKeys = TRUE;
        m_strUnreadKey = KeyFullName(hRoot, strPath);
    }
    return 0;
}

void CBrackwellDoc::GetKeyPath(CTreeView* pTreeView, HTREEITEM hItem, CString& strPath,
                               HKEY& hRoot) {
    const CTreeCtrl& tree = pTreeView->GetTreeCtrl();
    // The names from the key up to the root's child, joined in one pass: the
    // search builds a path for every key it passes.
    std::vector<CString> names{tree.GetItemText(hItem)};
    for (HTREEITEM hAncestor = tree.GetParentItem(hItem); hAncestor;
         hAncestor = tree.GetParentItem(hAncestor)) {
        if (tree.GetParentItem(hAncestor))
            names.push_back(tree.GetItemText(hAncestor));
        else
            hRoot = reinterpret_cast<HKEY>(tree.GetItemData(hAncestor));
    }
    strPath = names.back();
    for (auto it = names.rbegin() + 1; it != names.rend(); ++it) {
        strPath += u'\\';
        strPath += *it;
    }
}
