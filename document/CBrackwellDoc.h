#pragma once
// The document: the current selection, the key whose values are listed, and
// every registry read and write done for the two views. It reaches the
// views through its view list: first the values list, second the key tree.

#include "document/KeyPathCursor.h"
#include "document/ValueDisplay.h"
#include "framework/CDocument.h"
#include "framework/CString.h"
#include "registry/registry.h"

class CListCtrl;
class CListView;
class CStringList;
class CTreeView;
struct SearchSettings;

class CBrackwellDoc : public CDocument {
    DECLARE_DYNCREATE(CBrackwellDoc)
public:
    CBrackwellDoc();
    ~CBrackwellDoc() override;

    // The selection is exclusive: a key item with row -1, or item 0 with a row.
    HTREEITEM m_hCurrentItem = nullptr;
    int m_nCurrentValue = -1;
    // The key whose values the list shows.
    CString m_strKeyPath;
    HKEY m_hRootKey = nullptr;

    void SetSelection(HTREEITEM hItem, int nValue);

    // Rebuilds the whole key tree from the registry and selects the first root.
    void FillTree(CTreeView* pTreeView);
    int FillSubKeys(CTreeView* pTreeView, HKEY hRoot, const CString& strPath, HTREEITEM hParent);
    // Path below the root (no leading backslash) and root of an item below a
    // root. For a root item the path is its label and hRoot is left alone.
    void GetKeyPath(CTreeView* pTreeView, HTREEITEM hItem, CString& strPath, HKEY& hRoot);

    // Lists the values of (hRoot, strPath) and remembers that key as the
    // listed one; selects and shows row nSelect unless it is -1.
    void LoadValues(HKEY hRoot, const CString& strPath, int nSelect);

    // True when the value of the listed key now stands under the new name.
    BOOL RenameValue(const CString& strOldName, const CString& strNewName);

    // Edits. A key is created below the selected key; values are written into
    // and deleted from the listed key. A failure is shown in a message box and
    // leaves both views as they were.
    BOOL AddKey(const CString& strName);
    // Row -1 adds a value: a row is appended, or, when the key already holds a
    // value of that name, the person is asked whether to replace it and on OK
    // its row is brought up to date. Another row index is the value's own
    // row, whose Data text changes.
    BOOL SetValue(const CString& strName, DWORD dwType, const BYTE* pData, DWORD cbData, int nRow);
    BOOL SetString(const CString& strName, const CString& strValue, int nRow,
                   DWORD dwType = REG_SZ);
    BOOL SetMultiString(const CString& strName, const CStringList& list, int nRow);
    BOOL SetBinary(const CString& strName, const BYTE* pData, DWORD cbData, int nRow);
    BOOL SetNumber(const CString& strName, DWORD dwValue, int nRow);
    // Delete the selected key or value after the person confirms.
    void DeleteKey();
    void DeleteValue();

    // Reads of a value of the listed key for the modify dialogs; they show
    // no message.
    BOOL ReadValueType(const CString& strName, DWORD& dwType);
    // The text up to the first NUL character.
    BOOL ReadString(const CString& strName, CString& strValue);
    // FALSE unless the value holds exactly four bytes.
    BOOL ReadNumber(const CString& strName, DWORD& dwValue);
    // Appends the strings to the list.
    BOOL ReadMultiString(const CString& strName, CStringList& list);
    // pData is null or a new[] buffer that the caller releases with delete[],
    // whatever the result.
    BOOL ReadBinary(const CString& strName, BYTE*& pData, DWORD& cbData);

    // The first four bytes as "XX " each.
    static CString FormatBinary(const BYTE* pData, DWORD cbData);
    // Data-column text and image of a value of the given type and data.
    static ValueDisplay DescribeValue(DWORD dwType, const BYTE* pData, DWORD cbData);

    // One search step from the key selected in the tree, in tree order, never
    // wrapping: TRUE when a match was found and shown, FALSE at the end.
    BOOL FindNext(const SearchSettings& settings);
    // Tests one key's name, then its values behind the cursor; shows a match.
    BOOL SearchKey(CTreeView* pTreeView, HTREEITEM hItem, const SearchSettings& settings);
    // Substring or whole-string match, both without regard to case.
    static BOOL MatchText(CString strFind, CString strCandidate, BOOL bMatchWhole);
    // Forgets where the earlier steps stopped: the next step tests every row
    // and the name of the key it starts at.
    void ResetSearch();

protected:
    // The control of the first view; null when that view is absent.
    CListCtrl* ValuesList() const;
    // The two views: the values list first, the key tree second.
    CListView* ValuesView() const;
    CTreeView* KeyTreeView() const;

    // Tells that the values of (hRoot, strPath) could not be read.
    void ReportUnreadValues(HKEY hRoot, const CString& strPath);

    // The key the last search step left selected; only ever compared.
    HTREEITEM m_hSearchItem = nullptr;
    // The first key whose subkeys the running FillTree could not read.
    BOOL m_bUnreadKeys = FALSE;
    CString m_strUnreadKey;
    // Whether the running search step told of a key it could not read.
    BOOL m_bSearchReported = FALSE;
    // The paths of the keys the running search step walks.
    KeyPathCursor m_searchPaths;
};
