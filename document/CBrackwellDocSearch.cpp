// The search: one step walks the key tree from the selected key in tree
// order and shows the first key name, value name or value Data text that
// matches. The cursors g_nFoundValue and g_hFoundKeyItem make the next step
// continue behind that match.
#include "dialogs/SearchSettings.h"
#include "document/CBrackwellDoc.h"
#include "document/CSearchHost.h"
#include "document/KeyValues.h"
#include "document/SearchCursor.h"
#include "document/TextMatcher.h"
#include "framework/CListCtrl.h"
#include "framework/CTreeView.h"
#include "framework/CWinApp.h"

namespace {

void ActivateValuesPane() {
    if (auto* pHost = dynamic_cast<CSearchHost*>(AfxGetMainWnd())) pHost->ActivateValuesPane();
}

void ActivateKeysPane() {
    if (auto* pHost = dynamic_cast<CSearchHost*>(AfxGetMainWnd())) pHost->ActivateKeysPane();
}

void ClearRowSelection(CListCtrl* pList) {
    if (!pList) return;
    for (int nRow = pList->GetNextItem(-1, LVNI_SELECTED); nRow != -1;
         nRow = pList->GetNextItem(nRow, LVNI_SELECTED))
        pList->SetItemState(nRow, 0, LVIS_SELECTED);
}

// The key after hItem in pre-order: its first child, else its next sibling,
// else the next sibling of its nearest ancestor that has one; null at the end
// of the tree. Every move forgets the value cursor, which belongs to the key
// the walk left.
HTREEITEM NextKey(const CTreeCtrl& tree, HTREEITEM hItem) {
    HTREEITEM hNext = tree.GetNextItem(hItem, TVGN_CHILD);
    while (!hNext) {
        hNext = tree.GetNextItem(hItem, TVGN_NEXT);
        if (hNext) break;
        hItem = tree.GetNextItem(hItem, TVGN_PARENT);
        if (!hItem) return nullptr;
        g_nFoundValue = -1;
    }
    g_nFoundValue = -1;
    return hNext;
}

// The row of the first value behind nAfter whose name or Data text matches,
// -1 when none. Enumerates exactly the rows the values list shows, values
// without data among them; a row that matches by name and data counts once.
// lResult tells whether the key could be read to the end.
int FindValue(HKEY hRoot, const CString& strPath, int nAfter, const SearchSettings& settings,
              TextMatcher& matcher, LONG& lResult) {
    int nFound = -1;
    lResult = EnumerateKeyValues(hRoot, strPath, [&](const KeyValue& value) {
        if (value.nIndex <= nAfter) return true;
        const bool bNameMatches = settings.m_bValues && matcher.Matches(value.strName);
        const bool bDataMatches =
            !bNameMatches && settings.m_bData &&
            matcher.Matches(
                CBrackwellDoc::DescribeValue(value.dwType, value.pData, value.cbData).strText);
        if (bNameMatches || bDataMatches) nFound = value.nIndex;
        return nFound < 0;
    });
    return nFound;
}

}  // namespace

// Whole-string mode upper-cases too, so that a whole-string match is always
// also a substring match.
BOOL CBrackwellDoc::MatchText(CString strFind, CString strCandidate, BOOL bMatchWhole) {
    return TextMatcher(strFind, bMatchWhole).Matches(strCandidate);
}

void CBrackwellDoc::ResetSearch() {
    g_nFoundValue = -1;
    g_hFoundKeyItem = nullptr;
}

// The order of a value match is what keeps the cursor: it is recorded before
// the item is selected, and the tree view's selection handling then calls
// SetSelection(item, -1), which leaves it alone, so the listing that follows
// still selects the matched row.
BOOL CBrackwellDoc::SearchKey(CTreeView* pTreeView, HTREEITEM hItem,
                              const SearchSettings& settings) {
    CTreeCtrl& tree = pTreeView->GetTreeCtrl();
    TextMatcher matcher(settings.m_strText, settings.m_bMatchWhole);
    const CString strName = tree.GetItemText(hItem);
    if (settings.m_bKeys && hItem != g_hFoundKeyItem && matcher.Matches(strName)) {
        g_hFoundKeyItem = hItem;
        tree.Expand(hItem, TVE_EXPAND);
        // Selecting the key that is already selected lists nothing afresh, and
        // a row tapped in its list would stay highlighted while the key is
        // what the document selects.
        if (tree.GetNextItem(nullptr, TVGN_CARET) == hItem)
            ClearRowSelection(ValuesList());
        else
            tree.SelectItem(hItem);
        SetSelection(hItem, -1);
        ActivateKeysPane();
        return TRUE;
    }
    if (!settings.m_bValues && !settings.m_bData) return FALSE;

    HKEY hRoot = nullptr;
    const CString& strPath = m_searchPaths.PathOf(tree, hItem, strName, hRoot);
    LONG lResult = ERROR_SUCCESS;
    const int nRow = FindValue(hRoot, strPath, g_nFoundValue, settings, matcher, lResult);
    // A key that cannot be read is told once per step; the walk goes on
    // with the keys after it.
    if (lResult != ERROR_SUCCESS && !m_bSearchReported) {
        m_bSearchReported = TRUE;
        ReportUnreadValues(hRoot, strPath);
    }
    if (nRow < 0) return FALSE;

    g_nFoundValue = nRow;
    tree.Expand(hItem, TVE_EXPAND);
    tree.SelectItem(hItem);
    ActivateValuesPane();
    LoadValues(hRoot, strPath, g_nFoundValue);
    SetSelection(nullptr, g_nFoundValue);
    return TRUE;
}

// Pre-order from the start key: the key itself, everything below it, then
// everything after it; keys before it are never visited. Every key but the
// first is tested with no value of it found yet.
BOOL CBrackwellDoc::FindNext(const SearchSettings& settings) {
    CTreeView* pTreeView = KeyTreeView();
    if (!pTreeView) return FALSE;
    CTreeCtrl& tree = pTreeView->GetTreeCtrl();
    BeginWaitCursor();
    m_bSearchReported = FALSE;
    m_searchPaths.Reset();

    HTREEITEM hStart = tree.GetNextItem(nullptr, TVGN_CARET);
    if (!hStart) hStart = tree.GetRootItem();
    // The cursors describe the key the last step left selected; at any other
    // key (tapped by hand, or a tree rebuilt by Refresh) a row number or a
    // matched name left over from before would skip what the person expects
    // to be searched.
    if (hStart != m_hSearchItem) ResetSearch();

    BOOL bFound = hStart && SearchKey(pTreeView, hStart, settings);
    for (HTREEITEM hItem = hStart; hItem && !bFound;) {
        hItem = NextKey(tree, hItem);
        if (hItem) bFound = SearchKey(pTreeView, hItem, settings);
    }

    m_hSearchItem = tree.GetNextItem(nullptr, TVGN_CARET);
    EndWaitCursor();
    return bFound;
}
