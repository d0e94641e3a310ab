#include "shell/CBrackwellView.h"

#include <algorithm>
#include <string>

#include "document/CBrackwellDoc.h"
#include "resources/resource.h"

namespace {

constexpr int kImageWidth = 16;

// The path if it has room, else its root, an ellipsis and as much of its
// end as there is room for, from a backslash on where one is in reach.
std::u16string FitPath(const std::u16string& strPath, std::size_t nRoot, std::size_t nRoom) {
    if (strPath.size() <= nRoom) return strPath;
    const std::u16string strHead = strPath.substr(0, nRoot) + u"\\\u2026";
    if (strHead.size() >= nRoom) return strPath.substr(strPath.size() - nRoom);
    std::u16string strTail = strPath.substr(strPath.size() - (nRoom - strHead.size()));
    if (const std::size_t nSlash = strTail.find(u'\\'); nSlash != std::u16string::npos)
        strTail.erase(0, nSlash);
    return strHead + strTail;
}

}  // namespace

IMPLEMENT_DYNCREATE(CBrackwellView, CTreeView)

BEGIN_MESSAGE_MAP(CBrackwellView, CTreeView)
    ON_NOTIFY_REFLECT(TVN_SELCHANGED, OnSelChanged)
    ON_NOTIFY_REFLECT(TVN_GETINFOTIP, OnGetInfoTip)
END_MESSAGE_MAP()

CBrackwellView::CBrackwellView() {
    m_imageList.Create(IDB_KEYS, kImageWidth, 0, RGB(255, 255, 255));
}

CBrackwellView::~CBrackwellView() = default;

CBrackwellDoc* CBrackwellView::GetDocument() const {
    return static_cast<CBrackwellDoc*>(m_pDocument);
}

BOOL CBrackwellView::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                            const RECT& rect, CWnd* pParentWnd, UINT nID,
                            CCreateContext* pContext) {
    // No TVS_EDITLABELS: key names cannot be edited in place. TVS_INFOTIP:
    // a key's tip tells its full path.
    dwStyle |= TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_INFOTIP;
    return CTreeView::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID,
                             pContext);
}

BOOL CBrackwellView::PreCreateWindow(CREATESTRUCT& cs) { return CTreeView::PreCreateWindow(cs); }

void CBrackwellView::OnInitialUpdate() {
    CTreeView::OnInitialUpdate();
    GetTreeCtrl().SetImageList(&m_imageList, TVSIL_NORMAL);
    BeginWaitCursor();
    GetDocument()->FillTree(this);
    EndWaitCursor();
}

// The caret item is the newly selected key; the item named in the
// notification is not read.
void CBrackwellView::OnSelChanged(NMHDR*, LRESULT* pResult) {
    CTreeCtrl& tree = GetTreeCtrl();
    HTREEITEM hItem = tree.GetNextItem(nullptr, TVGN_CARET);
    CString strPath;
    HKEY hRoot = nullptr;
    if (!tree.GetNextItem(hItem, TVGN_PARENT))
        hRoot = reinterpret_cast<HKEY>(tree.GetItemData(hItem));
    else
        GetDocument()->GetKeyPath(this, hItem, strPath, hRoot);
    GetDocument()->LoadValues(hRoot, strPath, -1);
    GetDocument()->SetSelection(hItem, -1);
    *pResult = 0;
}

// The tip names the key in full, root first: HKEY_CURRENT_USER\Software\...
// A path longer than the tip holds keeps its root and its end, where the
// key itself is, joined by an ellipsis.
void CBrackwellView::OnGetInfoTip(NMHDR* pNMHDR, LRESULT* pResult) {
    auto* pTip = reinterpret_cast<NMTVGETINFOTIP*>(pNMHDR);
    *pResult = 0;
    if (!pTip->pszText || pTip->cchTextMax <= 0) return;
    CTreeCtrl& tree = GetTreeCtrl();
    HTREEITEM hRoot = pTip->hItem;
    while (HTREEITEM hParent = tree.GetParentItem(hRoot)) hRoot = hParent;
    std::u16string strPath = tree.GetItemText(hRoot).str();
    if (hRoot != pTip->hItem) {
        CString strBelow;
        HKEY hKey = nullptr;
        GetDocument()->GetKeyPath(this, pTip->hItem, strBelow, hKey);
        strPath += u'\\' + strBelow.str();
    }
    strPath = FitPath(strPath, tree.GetItemText(hRoot).GetLength(),
                      std::size_t(pTip->cchTextMax - 1));
    std::copy(strPath.begin(), strPath.end(), pTip->pszText);
    pTip->pszText[strPath.size()] = u'\0';
}
