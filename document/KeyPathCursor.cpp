#include "document/KeyPathCursor.h"

#include <algorithm>

void KeyPathCursor::Reset() {
    m_chain.clear();
    m_lengths.clear();
    m_strPath.Empty();
    m_hRoot = nullptr;
}

void KeyPathCursor::Append(const CTreeCtrl& tree, HTREEITEM hItem, const CString& strText) {
    if (m_chain.empty()) {
        m_hRoot = reinterpret_cast<HKEY>(tree.GetItemData(hItem));
        m_strPath.Empty();
    } else {
        if (m_chain.size() > 1) m_strPath += u'\\';
        m_strPath += strText;
    }
    m_chain.push_back(hItem);
    m_lengths.push_back(m_strPath.GetLength());
}

const CString& KeyPathCursor::PathOf(const CTreeCtrl& tree, HTREEITEM hItem,
                                     const CString& strText, HKEY& hRoot) {
    const HTREEITEM hParent = tree.GetParentItem(hItem);
    const auto parent = hParent ? std::find(m_chain.rbegin(), m_chain.rend(), hParent).base()
                                : m_chain.begin();
    if (hParent && parent == m_chain.begin()) {
        // Not below the last path: the chain is built afresh from the root item.
        Reset();
        std::vector<HTREEITEM> ancestors;
        for (HTREEITEM h = hParent; h; h = tree.GetParentItem(h)) ancestors.push_back(h);
        for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it)
            Append(tree, *it, tree.GetItemText(*it));
    } else {
        m_chain.erase(parent, m_chain.end());
        m_lengths.resize(m_chain.size());
        m_strPath.Truncate(m_lengths.empty() ? 0 : m_lengths.back());
    }
    Append(tree, hItem, strText);
    hRoot = m_hRoot;
    return m_strPath;
}
