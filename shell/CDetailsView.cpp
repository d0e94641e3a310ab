#include "shell/CDetailsView.h"

#include "document/CBrackwellDoc.h"
#include "framework/CWinApp.h"
#include "resources/resource.h"

namespace {

constexpr int kImageWidth = 16;
constexpr int kNameColumnWidth = 100;
constexpr int kDataColumnWidth = 120;

}  // namespace

IMPLEMENT_DYNCREATE(CDetailsView, CListView)

BEGIN_MESSAGE_MAP(CDetailsView, CListView)
    ON_NOTIFY_REFLECT(NM_CLICK, OnClick)
    ON_NOTIFY_REFLECT(LVN_ITEMCHANGED, OnItemChanged)
    ON_NOTIFY_REFLECT(NM_DBLCLK, OnDblClick)
    ON_NOTIFY_REFLECT(NM_RETURN, OnReturn)
    ON_NOTIFY_REFLECT(LVN_BEGINLABELEDIT, OnBeginLabelEdit)
    ON_NOTIFY_REFLECT(LVN_ENDLABELEDIT, OnEndLabelEdit)
END_MESSAGE_MAP()

CDetailsView::CDetailsView() {
    m_imageList.Create(IDB_VALUES, kImageWidth, 0, RGB(255, 255, 255));
}

CDetailsView::~CDetailsView() = default;

CBrackwellDoc* CDetailsView::GetDocument() const {
    return static_cast<CBrackwellDoc*>(m_pDocument);
}

BOOL CDetailsView::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
    dwStyle |= LVS_REPORT | LVS_SINGLESEL | LVS_EDITLABELS;
    return CListView::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID,
                             pContext);
}

void CDetailsView::OnInitialUpdate() {
    CListView::OnInitialUpdate();
    CListCtrl& list = GetListCtrl();
    list.SetImageList(&m_imageList, LVSIL_SMALL);
    list.InsertColumn(0, u"Name", LVCFMT_LEFT, kNameColumnWidth);
    list.InsertColumn(1, u"Data", LVCFMT_LEFT, kDataColumnWidth);
}

int CDetailsView::SelectedRow() const {
    return GetListCtrl().GetNextItem(-1, LVNI_SELECTED);
}

// A tap on empty space leaves the selection as it was.
void CDetailsView::OnClick(NMHDR*, LRESULT* pResult) {
    const int nRow = SelectedRow();
    if (nRow != -1) GetDocument()->SetSelection(nullptr, nRow);
    *pResult = 0;
}

// A row the keyboard moves the selection to is selected as a tap selects it,
// so the commands act on the row that is highlighted. A row losing the
// selection changes nothing, as a tap on empty space does.
void CDetailsView::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult) {
    const auto* pChange = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    if ((pChange->uChanged & LVIF_STATE) && (pChange->uNewState & LVIS_SELECTED) &&
        !(pChange->uOldState & LVIS_SELECTED))
        GetDocument()->SetSelection(nullptr, pChange->iItem);
    *pResult = 0;
}

void CDetailsView::OnDblClick(NMHDR*, LRESULT* pResult) {
    ModifySelectedRow();
    *pResult = 0;
}

// Enter on a row does what a double tap does.
void CDetailsView::OnReturn(NMHDR*, LRESULT* pResult) {
    ModifySelectedRow();
    *pResult = 0;
}

void CDetailsView::ModifySelectedRow() {
    const int nRow = SelectedRow();
    if (nRow == -1) return;
    GetDocument()->SetSelection(nullptr, nRow);
    AfxGetMainWnd()->SendMessage(WM_COMMAND, ID_EDIT_MODIFY);
}

// The old name is the label of the row being edited. That is the selected
// row when the edit starts from a tap, but the Rename command may start it
// on the current value's row after a tap on empty space has cleared the
// list's selection; reading the selected row would then rename nothing or
// the wrong value.
void CDetailsView::OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult) {
    const auto* pDispInfo = reinterpret_cast<NMLVDISPINFO*>(pNMHDR);
    m_strOldName = GetListCtrl().GetItemText(pDispInfo->item.iItem, 0);
    *pResult = 0;
}

// Whatever the outcome, the row shows the name the value now has; the
// control never applies the edited text itself.
void CDetailsView::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult) {
    const auto* pDispInfo = reinterpret_cast<NMLVDISPINFO*>(pNMHDR);
    if (pDispInfo->item.pszText) {
        const CString strNewName(pDispInfo->item.pszText);
        if (GetDocument()->RenameValue(m_strOldName, strNewName)) m_strOldName = strNewName;
    }
    GetListCtrl().SetItemText(pDispInfo->item.iItem, 0, m_strOldName);
    *pResult = 0;
}
