#include "shell/CBrackwellView.h"

#include "document/CBrackwellDoc.h"
#include "resources/resource.h"

namespace {

constexpr int kImageWidth = 16;

}  // namespace

IMPLEMENT_DYNCREATE(CBrackwellView, CTreeView)

BEGIN_MESSAGE_MAP(CBrackwellView, CTreeView)
    ON_NOTIFY_REFLECT(TVN_SELCHANGED, OnSelChanged)
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
    // No TVS_EDITLABELS: key names cannot be edited in place.
    dwStyle |= TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;
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
