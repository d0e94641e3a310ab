#include "framework/AfxListCore.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QTreeView>
#include <set>
#include <string>

#include "framework/AfxListModel.h"
#include "framework/AfxListView.h"
#include "framework/CString.h"
#include "framework/CWnd.h"

AfxListCore::AfxListCore(QAbstractItemView* view, DWORD dwStyle, CWnd* pNotifyTarget)
    : QObject(view),
      m_pView(view),
      m_pModel(new AfxListModel(this, (dwStyle & LVS_EDITLABELS) != 0)),
      m_dwStyle(dwStyle),
      m_pNotifyTarget(pNotifyTarget) {
    view->setModel(m_pModel);
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &AfxListCore::OnSelectionChanged);
    connect(m_pModel, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex&, int first, int last) {
                if (m_nEditRow >= first && m_nEditRow <= last) m_nEditRow = -1;
            });
    connect(m_pModel, &QAbstractItemModel::modelAboutToBeReset, this, [this] { m_nEditRow = -1; });
}

AfxListCore* AfxListCore::Of(QWidget* widget) {
    auto* access = dynamic_cast<AfxListViewAccess*>(widget);
    return access ? access->Core() : nullptr;
}

int AfxListCore::Count() const {
    return m_pModel->RowCount();
}

void AfxListCore::Publish() const {
    m_pModel->Publish();
}

int AfxListCore::InsertColumn(int nCol, const QString& heading, int nWidth) {
    if (nCol < 0) return -1;
    const int col = m_pModel->InsertColumn(nCol, heading);
    if (auto* tree = qobject_cast<QTreeView*>(m_pView); tree && nWidth >= 0)
        tree->setColumnWidth(col, nWidth);
    return col;
}

int AfxListCore::InsertRow(int nItem, std::u16string_view text, int nImage) {
    if (nItem < 0) return -1;
    return m_pModel->InsertRow(nItem, text, nImage, !m_pView->isVisible());
}

bool AfxListCore::SetImage(int nItem, int nImage) {
    if (!IsRow(nItem)) return false;
    m_pModel->SetImage(nItem, nImage);
    return true;
}

int AfxListCore::Image(int nItem) const {
    return IsRow(nItem) ? m_pModel->Image(nItem) : -1;
}

bool AfxListCore::SetText(int nItem, int nSubItem, std::u16string_view text) {
    if (!IsRow(nItem) || nSubItem < 0 || nSubItem >= std::max(1, m_pModel->Columns())) return false;
    m_pModel->SetText(nItem, nSubItem, text);
    return true;
}

std::u16string_view AfxListCore::Text(int nItem, int nSubItem) const {
    if (!IsRow(nItem) || nSubItem < 0 || nSubItem >= std::max(1, m_pModel->Columns())) return {};
    return m_pModel->Text(nItem, nSubItem);
}

bool AfxListCore::DeleteRow(int nItem) {
    if (!IsRow(nItem)) return false;
    Publish();
    m_bSilent = true;
    // Qt hands the current index (and, with single selection, the selection) of a
    // removed row to a neighbour; the control leaves nothing selected instead.
    if (m_pView->currentIndex().row() == nItem)
        m_pView->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    m_pModel->RemoveRow(nItem);
    m_bSilent = false;
    return true;
}

void AfxListCore::DeleteAll() {
    // The reset clears the selection without a notice.
    m_pModel->Clear(!m_pView->isVisible());
}

bool AfxListCore::IsSelected(int nItem) const {
    Publish();
    return m_pView->selectionModel()->isSelected(m_pModel->index(nItem, 0));
}

int AfxListCore::NextSelected(int nItem) const {
    Publish();
    int next = -1;
    for (const QItemSelectionRange& range : m_pView->selectionModel()->selection()) {
        const int row = std::max(range.top(), nItem + 1);
        if (row <= range.bottom() && (next < 0 || row < next)) next = row;
    }
    return next;
}

int AfxListCore::Focused() const {
    Publish();
    const QModelIndex current = m_pView->currentIndex();
    return current.isValid() ? current.row() : -1;
}

bool AfxListCore::SetState(int nItem, UINT nState, UINT nMask) {
    if (!IsRow(nItem)) return false;
    Publish();
    QItemSelectionModel* selection = m_pView->selectionModel();
    const QModelIndex index = m_pModel->index(nItem, 0);
    if (nMask & LVIS_SELECTED) {
        QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::Rows;
        if (!(nState & LVIS_SELECTED)) flags |= QItemSelectionModel::Deselect;
        else if (m_dwStyle & LVS_SINGLESEL) flags |= QItemSelectionModel::ClearAndSelect;
        else flags |= QItemSelectionModel::Select;
        selection->select(index, flags);
    }
    if (nMask & LVIS_FOCUSED) {
        if (nState & LVIS_FOCUSED) selection->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        else if (selection->currentIndex().row() == nItem)
            selection->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
    return true;
}

bool AfxListCore::ScrollTo(int nItem) {
    if (!IsRow(nItem)) return false;
    Publish();
    m_pView->scrollTo(m_pModel->index(nItem, 0), QAbstractItemView::EnsureVisible);
    return true;
}

QWidget* AfxListCore::EditLabel(int nItem) {
    if (!IsRow(nItem)) return nullptr;
    Publish();
    const QModelIndex index = m_pModel->index(nItem, 0);
    m_pView->setFocus(Qt::OtherFocusReason);
    m_pView->scrollTo(index);
    m_pView->edit(index);
    return m_pView->indexWidget(index);
}

CImageList* AfxListCore::SetImageList(CImageList* pImageList) {
    CImageList* previous = m_pImageList;
    m_pImageList = pImageList;
    m_pModel->SetImageList(pImageList);
    return previous;
}

void AfxListCore::OnSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    if (m_bSilent) return;
    std::set<int> gone, added;
    for (const QModelIndex& index : deselected.indexes()) gone.insert(index.row());
    for (const QModelIndex& index : selected.indexes()) added.insert(index.row());
    for (int row : gone)
        if (!added.count(row)) SendItemChanged(row, 0, LVIS_SELECTED);
    for (int row : added)
        if (!gone.count(row)) SendItemChanged(row, LVIS_SELECTED, 0);
}

void AfxListCore::SendItemChanged(int nItem, UINT uNewState, UINT uOldState) {
    if (!m_pNotifyTarget) return;
    NMLISTVIEW nm{};
    nm.hdr.code = LVN_ITEMCHANGED;
    nm.iItem = nItem;
    nm.uNewState = uNewState;
    nm.uOldState = uOldState;
    nm.uChanged = LVIF_STATE;
    m_pNotifyTarget->SendNotify(&nm.hdr);
}

bool AfxListCore::BeginEdit(int nItem) {
    if (!m_pNotifyTarget) return false;
    std::u16string text(Text(nItem, 0));
    NMLVDISPINFO nm{};
    nm.hdr.code = LVN_BEGINLABELEDIT;
    nm.item.mask = LVIF_TEXT;
    nm.item.iItem = nItem;
    nm.item.pszText = text.data();
    nm.item.cchTextMax = int(text.size());
    if (m_pNotifyTarget->SendNotify(&nm.hdr)) return false;  // TRUE refuses the edit
    m_nEditRow = nItem;
    m_bCommitted = false;
    m_strCommitted.clear();
    return true;
}

void AfxListCore::CommitEdit(const QString& text) {
    m_bCommitted = true;
    m_strCommitted = text;
}

void AfxListCore::EndEdit(bool bSubmitted) {
    const int row = m_nEditRow;
    if (row < 0) return;
    const bool accepted = bSubmitted && m_bCommitted;
    m_nEditRow = -1;
    std::u16string text = CString::FromQString(m_strCommitted).str();
    NMLVDISPINFO nm{};
    nm.hdr.code = LVN_ENDLABELEDIT;
    nm.item.mask = LVIF_TEXT;
    nm.item.iItem = row;
    nm.item.pszText = accepted ? text.data() : nullptr;
    nm.item.cchTextMax = int(text.size());
    const LRESULT apply = m_pNotifyTarget ? m_pNotifyTarget->SendNotify(&nm.hdr) : 0;
    if (apply && accepted) SetText(row, 0, text);
}

void AfxListCore::Click(UINT code, int nItem) {
    if (!m_pNotifyTarget) return;
    NMITEMACTIVATE nm{};
    nm.hdr.code = code;
    nm.iItem = nItem;
    m_pNotifyTarget->SendNotify(&nm.hdr);
}
