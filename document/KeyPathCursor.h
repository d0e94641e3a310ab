#pragma once
// The registry paths of the keys a walk of the key tree passes, each built
// from the path of the key before it: a child extends that path, a sibling or
// the sibling of an ancestor first cuts it back to the common parent. A walk
// in tree order so costs one name per key instead of one per level. A key's
// path is GetKeyPath's (a root item's is empty); the paths hold only while the
// tree's items and texts stay as they are, so a walk resets the cursor first.

#include <vector>

#include "framework/CString.h"
#include "framework/CTreeCtrl.h"
#include "registry/registry.h"

class KeyPathCursor {
public:
    void Reset();

    // The path of hItem below its root key (empty for a root item), and the
    // root key's handle in hRoot. strText is hItem's text, which the walk has
    // read already.
    const CString& PathOf(const CTreeCtrl& tree, HTREEITEM hItem, const CString& strText,
                          HKEY& hRoot);

private:
    void Append(const CTreeCtrl& tree, HTREEITEM hItem, const CString& strText);

    // The items from a root item down to the last one asked for, and the
    // length of the path up to each of them.
    std::vector<HTREEITEM> m_chain;
    std::vector<int> m_lengths;
    CString m_strPath;
    HKEY m_hRoot = nullptr;
};
