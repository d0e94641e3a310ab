#include "framework/AfxListCore.h"

#include <QAbstractItemView>
#include <QIcon>
#include <QItemSelectionModel>
#include <QPixmap>
#include <QStandardItemModel>
#include <QTreeView>
#include <set>
#include <string>

#include "framework/AfxListView.h"
#include "framework/CImageList.h"
#include "framework/CString.h"
#include "framework/CWnd.h"

namespace {

constexpr int kImageRole = Qt::UserRole + 1;

}  // namespace

AfxListCore::AfxListCore(QAbstractItemView* view, DWORD dwStyle, CWnd* pNotifyTarget)
    : QObject(view),
      m_pView(view),
      m_pModel(new QStandardItemModel(0, 1, this)),
      m_dwStyle(dwStyle),
      m_pNotifyTarget(pNotifyTarget) {
    view->setModel(m_pModel);
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &AfxListCore::OnSelectionChanged);
    connect(m_pModel, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex&, int first, int last) {
                if (m_nEditRow >= first && m_nEditRow <= last) m_nEditRow = -1;
            });
}

AfxListCore* AfxListCore::Of(QWidget* widget) {
    auto* access = dynamic_cast<AfxListViewAccess*>(widget);
    return access ? access->Core() : nullptr;
}

int AfxListCore::InsertColumn(int nCol, const QString& heading, int nWidth) {
    if (nCol < 0) return -1;
    int col = 0;
    if (m_nColumns > 0) {
        col = std::min(nCol, m_nColumns);
        m_pModel->insertColumn(col);
    }
    auto* header = new QStandardItem(heading);
    header->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_pModel->setHorizontalHeaderItem(col, header);
    if (auto* tree = qobject_cast<QTreeView*>(m_pView); tree && nWidth >= 0)
        tree->setColumnWidth(col, nWidth);
    ++m_nColumns;
    return col;
}

void AfxListCore::ApplyImage(QStandardItem* item) const {
    const int image = item->data(kImageRole).toInt();
    if (m_pImageList && image >= 0 && image < m_pImageList->GetImageCount())
        item->setData(QIcon(m_pImageList->GetPixmap(image)), Qt::DecorationRole);
    else
        item->setData(QVariant(), Qt::DecorationRole);
}

int AfxListCore::InsertRow(int nItem, const QString& text, int nImage) {
    if (nItem < 0) return -1;
    const int row = std::min(nItem, m_pModel->rowCount());
    auto* item = new QStandardItem(text);
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (m_dwStyle & LVS_EDITLABELS) flags |= Qt::ItemIsEditable;
    item->setFlags(flags);
    item->setData(nImage, kImageRole);
    ApplyImage(item);
    m_pModel->insertRow(row, item);
    return row;
}

bool AfxListCore::SetImage(int nItem, int nImage) {
    QStandardItem* item = m_pModel->item(nItem, 0);
    if (nItem < 0 || !item) return false;
    item->setData(nImage, kImageRole);
    ApplyImage(item);
    return true;
}

int AfxListCore::Image(int nItem) const {
    const QStandardItem* item = nItem < 0 ? nullptr : m_pModel->item(nItem, 0);
    return item ? item->data(kImageRole).toInt() : -1;
}

bool AfxListCore::SetText(int nItem, int nSubItem, const QString& text) {
    if (nItem < 0 || nItem >= m_pModel->rowCount() || nSubItem < 0 ||
        nSubItem >= std::max(1, m_nColumns))
        return false;
    if (QStandardItem* item = m_pModel->item(nItem, nSubItem)) {
        item->setText(text);
    } else {
        auto* cell = new QStandardItem(text);
        cell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        m_pModel->setItem(nItem, nSubItem, cell);
    }
    return true;
}

QString AfxListCore::Text(int nItem, int nSubItem) const {
    if (nItem < 0 || nItem >= m_pModel->rowCount() || nSubItem < 0) return QString();
    const QStandardItem* item = m_pModel->item(nItem, nSubItem);
    return item ? item->text() : QString();
}

bool AfxListCore::DeleteRow(int nItem) {
    if (nItem < 0 || nItem >= m_pModel->rowCount()) return false;
    m_bSilent = true;
    // Qt hands the current index (and, with single selection, the selection) of a
    // removed row to a neighbour; the control leaves nothing selected instead.
    if (m_pView->currentIndex().row() == nItem)
        m_pView->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    m_pModel->removeRow(nItem);
    m_bSilent = false;
    return true;
}

void AfxListCore::DeleteAll() {
    m_bSilent = true;
    m_pModel->removeRows(0, m_pModel->rowCount());
    m_bSilent = false;
}

bool AfxListCore::IsSelected(int nItem) const {
    return m_pView->selectionModel()->isSelected(m_pModel->index(nItem, 0));
}

bool AfxListCore::SetState(int nItem, UINT nState, UINT nMask) {
    if (nItem < 0 || nItem >= m_pModel->rowCount()) return false;
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

CImageList* AfxListCore::SetImageList(CImageList* pImageList) {
    CImageList* previous = m_pImageList;
    m_pImageList = pImageList;
    for (int row = 0; row < m_pModel->rowCount(); ++row) ApplyImage(m_pModel->item(row, 0));
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
    std::u16string text = CString::FromQString(Text(nItem, 0)).str();
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
    if (apply && accepted) SetText(row, 0, m_strCommitted);
}

void AfxListCore::Click(UINT code, int nItem) {
    if (!m_pNotifyTarget) return;
    NMITEMACTIVATE nm{};
    nm.hdr.code = code;
    nm.iItem = nItem;
    m_pNotifyTarget->SendNotify(&nm.hdr);
}
