#include "framework/CListCtrl.h"

#include <algorithm>

#include <QHeaderView>
#include <QListView>
#include <QStandardItemModel>
#include <QTreeView>

#include "framework/AfxListCore.h"
#include "framework/AfxListView.h"
#include "framework/CEdit.h"

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

namespace {

template <typename View>
View* MakeView(QWidget* parent, DWORD dwStyle, CWnd* pNotifyTarget) {
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
    QListView* view = MakeView<QListView>(cs.hwndParent, style, pNotifyTarget);
    view->setViewMode(QListView::ListMode);
    view->setFlow(QListView::LeftToRight);
    view->setWrapping(true);
    view->setResizeMode(QListView::Adjust);
    view->setMovement(QListView::Static);
    view->setSpacing(3);
    return view;
}

HWND CListCtrl::CreateWidget(CREATESTRUCT& cs) { return CreateListWidget(cs, this); }

AfxListCore* CListCtrl::Core() const { return m_hWnd ? AfxListCore::Of(m_hWnd) : nullptr; }

int CListCtrl::InsertColumn(int nCol, LPCWSTR lpszColumnHeading, int, int nWidth) {
    return Core() ? Core()->InsertColumn(nCol, CString(lpszColumnHeading).ToQString(), nWidth) : -1;
}

int CListCtrl::InsertItem(int nItem, LPCWSTR lpszItem) { return InsertItem(nItem, lpszItem, 0); }

int CListCtrl::InsertItem(int nItem, LPCWSTR lpszItem, int nImage) {
    return Core() ? Core()->InsertRow(nItem, CString(lpszItem).ToQString(), nImage) : -1;
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCWSTR lpszText) {
    return Core() && Core()->SetText(nItem, nSubItem, CString(lpszText).ToQString());
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
    return Core() ? CString::FromQString(Core()->Text(nItem, nSubItem)) : CString();
}

BOOL CListCtrl::DeleteItem(int nItem) { return Core() && Core()->DeleteRow(nItem); }

BOOL CListCtrl::DeleteAllItems() {
    if (!Core()) return FALSE;
    Core()->DeleteAll();
    return TRUE;
}

int CListCtrl::GetItemCount() const { return Core() ? Core()->Model()->rowCount() : 0; }

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask) {
    return Core() && Core()->SetState(nItem, nState, nMask);
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const {
    AfxListCore* core = Core();
    if (!core || nItem < 0 || nItem >= GetItemCount()) return 0;
    UINT state = 0;
    if (core->IsSelected(nItem)) state |= LVIS_SELECTED;
    if (core->View()->currentIndex().isValid() && core->View()->currentIndex().row() == nItem)
        state |= LVIS_FOCUSED;
    return state & nMask;
}

int CListCtrl::GetNextItem(int nItem, int nFlags) const {
    const int count = GetItemCount();
    for (int row = std::max(nItem + 1, 0); row < count; ++row) {
        if (nFlags == LVNI_ALL) return row;
        const UINT state = GetItemState(row, LVIS_SELECTED | LVIS_FOCUSED);
        if ((nFlags & LVNI_SELECTED) && !(state & LVIS_SELECTED)) continue;
        if ((nFlags & LVNI_FOCUSED) && !(state & LVIS_FOCUSED)) continue;
        return row;
    }
    return -1;
}

BOOL CListCtrl::EnsureVisible(int nItem, BOOL) {
    AfxListCore* core = Core();
    if (!core || nItem < 0 || nItem >= GetItemCount()) return FALSE;
    core->View()->scrollTo(core->Model()->index(nItem, 0), QAbstractItemView::EnsureVisible);
    return TRUE;
}

CEdit* CListCtrl::EditLabel(int nItem) {
    AfxListCore* core = Core();
    if (!core || nItem < 0 || nItem >= GetItemCount()) return nullptr;
    QAbstractItemView* view = core->View();
    const QModelIndex index = core->Model()->index(nItem, 0);
    view->setFocus(Qt::OtherFocusReason);
    view->scrollTo(index);
    view->edit(index);
    QWidget* editor = view->indexWidget(index);
    if (!editor) return nullptr;
    if (!m_pLabelEdit) m_pLabelEdit = new CEdit;
    m_pLabelEdit->Detach();
    m_pLabelEdit->Attach(editor);
    return m_pLabelEdit;
}

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int) {
    return Core() ? Core()->SetImageList(pImageList) : nullptr;
}
