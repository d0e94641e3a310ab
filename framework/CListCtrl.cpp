#include "framework/CListCtrl.h"

#include <QHeaderView>
#include <QListView>
#include <QTreeView>
#include <algorithm>

#include "framework/AfxIconDelegate.h"
#include "framework/AfxListCore.h"
#include "framework/AfxListView.h"
#include "framework/CEdit.h"

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

namespace {

std::u16string_view Text(LPCWSTR psz) {
    return psz ? std::u16string_view(psz) : std::u16string_view();
}

template <typename View>
AfxListView<View>* MakeView(QWidget* parent, DWORD dwStyle, CWnd* pNotifyTarget) {
    auto* view = new AfxListView<View>(parent);
    view->SetCore(new AfxListCore(view, dwStyle, pNotifyTarget));
    view->setSelectionMode((dwStyle & LVS_SINGLESEL) ? QAbstractItemView::SingleSelection
                                                      : QAbstractItemView::ExtendedSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers((dwStyle & LVS_EDITLABELS) ? QAbstractItemView::SelectedClicked
                                                      : QAbstractItemView::NoEditTriggers);
    view->setIconSize(QSize(16, 16));
    view->setFrameShape((dwStyle & WS_BORDER) ? QFrame::StyledPanel : QFrame::NoFrame);
    return view;
}

}  // namespace

CListCtrl::CListCtrl() = default;

CListCtrl::~CListCtrl() { delete m_pLabelEdit; }

HWND CListCtrl::CreateListWidget(const CREATESTRUCT& cs, CWnd* pNotifyTarget) {
    const auto style = DWORD(cs.style);
    if ((style & LVS_TYPEMASK) == LVS_REPORT) {
        QTreeView* view = MakeView<QTreeView>(cs.hwndParent, style, pNotifyTarget);
        view->setRootIsDecorated(false);
        view->setItemsExpandable(false);
        view->setUniformRowHeights(true);
        view->setAllColumnsShowFocus(true);
        view->header()->setStretchLastSection(false);
        view->header()->setSectionsClickable(false);
        view->setHeaderHidden((style & LVS_NOCOLUMNHEADER) != 0);
        return view;
    }
    AfxListView<QListView>* view = MakeView<QListView>(cs.hwndParent, style, pNotifyTarget);
    view->setViewMode(QListView::ListMode);
    view->setFlow(QListView::LeftToRight);
    view->setWrapping(true);
    view->setResizeMode(QListView::Adjust);
    view->setMovement(QListView::Static);
    view->setSpacing(3);
    view->setItemDelegate(new AfxIconDelegate(&view->Core()->Model(), view));
    return view;
}

HWND CListCtrl::CreateWidget(CREATESTRUCT& cs) { return CreateListWidget(cs, this); }

AfxListCore* CListCtrl::Core() const {
    if (m_hWnd != m_hCoreWnd) {
        m_hCoreWnd = m_hWnd;
        m_pCore = m_hWnd ? AfxListCore::Of(m_hWnd) : nullptr;
    }
    return m_pCore;
}

int CListCtrl::InsertColumn(int nCol, LPCWSTR lpszColumnHeading, int, int nWidth) {
    return Core() ? Core()->InsertColumn(nCol, CString(lpszColumnHeading).ToQString(), nWidth) : -1;
}

int CListCtrl::InsertItem(int nItem, LPCWSTR lpszItem) { return InsertItem(nItem, lpszItem, 0); }

int CListCtrl::InsertItem(int nItem, LPCWSTR lpszItem, int nImage) {
    return Core() ? Core()->InsertRow(nItem, Text(lpszItem), nImage) : -1;
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCWSTR lpszText) {
    return Core() && Core()->SetText(nItem, nSubItem, Text(lpszText));
}

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCWSTR lpszItem, int nImage,
                        UINT nState, UINT nStateMask, LPARAM /*lParam*/) {
    if (!Core() || nItem < 0 || nItem >= GetItemCount()) return FALSE;
    BOOL bOk = TRUE;
    if (nMask & LVIF_TEXT) bOk = SetItemText(nItem, nSubItem, lpszItem) && bOk;
    if (nMask & LVIF_IMAGE) bOk = Core()->SetImage(nItem, nImage) && bOk;
    if (nMask & LVIF_STATE) bOk = SetItemState(nItem, nState, nStateMask) && bOk;
    return bOk;
}

BOOL CListCtrl::GetItem(LVITEM* pItem) const {
    if (!pItem || !Core() || pItem->iItem < 0 || pItem->iItem >= GetItemCount()) return FALSE;
    if (pItem->mask & LVIF_TEXT) {
        if (!pItem->pszText || pItem->cchTextMax <= 0) return FALSE;
        const CString strText = GetItemText(pItem->iItem, pItem->iSubItem);
        const int nCopy = std::min(strText.GetLength(), pItem->cchTextMax - 1);
        std::copy_n(LPCWSTR(strText), nCopy, pItem->pszText);
        pItem->pszText[nCopy] = u'\0';
    }
    if (pItem->mask & LVIF_IMAGE) pItem->iImage = Core()->Image(pItem->iItem);
    if (pItem->mask & LVIF_STATE) pItem->state = GetItemState(pItem->iItem, pItem->stateMask);
    return TRUE;
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const {
    return Core() ? CString(Core()->Text(nItem, nSubItem)) : CString();
}

BOOL CListCtrl::DeleteItem(int nItem) { return Core() && Core()->DeleteRow(nItem); }

BOOL CListCtrl::DeleteAllItems() {
    if (!Core()) return FALSE;
    Core()->DeleteAll();
    return TRUE;
}

int CListCtrl::GetItemCount() const {
    return Core() ? Core()->Count() : 0;
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask) {
    return Core() && Core()->SetState(nItem, nState, nMask);
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const {
    AfxListCore* core = Core();
    if (!core || nItem < 0 || nItem >= GetItemCount()) return 0;
    UINT state = 0;
    if (core->IsSelected(nItem)) state |= LVIS_SELECTED;
    if (core->Focused() == nItem) state |= LVIS_FOCUSED;
    return state & nMask;
}

// Asks the selection, not every row, so that a long list answers at once.
int CListCtrl::GetNextItem(int nItem, int nFlags) const {
    AfxListCore* core = Core();
    if (!core) return -1;
    const int first = std::max(nItem + 1, 0);
    if (!(nFlags & (LVNI_SELECTED | LVNI_FOCUSED))) return first < GetItemCount() ? first : -1;
    if (!(nFlags & LVNI_FOCUSED)) return core->NextSelected(nItem);
    const int focused = core->Focused();
    if (focused < first || ((nFlags & LVNI_SELECTED) && !core->IsSelected(focused))) return -1;
    return focused;
}

BOOL CListCtrl::EnsureVisible(int nItem, BOOL) {
    return Core() && Core()->ScrollTo(nItem);
}

CEdit* CListCtrl::EditLabel(int nItem) {
    QWidget* editor = Core() ? Core()->EditLabel(nItem) : nullptr;
    if (!editor) return nullptr;
    if (!m_pLabelEdit) m_pLabelEdit = new CEdit;
    m_pLabelEdit->Detach();
    m_pLabelEdit->Attach(editor);
    return m_pLabelEdit;
}

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int) {
    return Core() ? Core()->SetImageList(pImageList) : nullptr;
}
