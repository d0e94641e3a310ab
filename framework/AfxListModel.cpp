#include "framework/AfxListModel.h"

#include <QIcon>
#include <QPixmap>
#include <algorithm>

#include "framework/CImageList.h"

AfxListModel::AfxListModel(QObject* parent, bool bEditLabels)
    : QAbstractTableModel(parent), m_bEditLabels(bEditLabels) {}

void AfxListModel::OpenReset() {
    if (m_bResetOpen) return;
    beginResetModel();
    m_bResetOpen = true;
}

void AfxListModel::Publish() {
    if (!m_bResetOpen) return;
    m_bResetOpen = false;
    endResetModel();
}

int AfxListModel::InsertColumn(int nCol, const QString& heading) {
    const int col = std::min(nCol, Columns());
    if (Columns() == 0) {  // names the column every list has
        m_headings.push_back(heading);
        emit headerDataChanged(Qt::Horizontal, 0, 0);
        return 0;
    }
    Publish();
    beginInsertColumns(QModelIndex(), col, col);
    std::vector<AfxTextPool::Ref> cells;
    cells.reserve(std::size_t(RowCount()) * std::size_t(Stride() + 1));
    for (int row = 0; row < RowCount(); ++row) {
        const auto first = m_cells.begin() + std::ptrdiff_t(row) * Stride();
        cells.insert(cells.end(), first, first + col);
        cells.push_back({});
        cells.insert(cells.end(), first + col, first + Stride());
    }
    m_cells.swap(cells);
    m_headings.insert(m_headings.begin() + col, heading);
    endInsertColumns();
    return col;
}

int AfxListModel::InsertRow(int nRow, std::u16string_view text, int nImage, bool bViewHidden) {
    AfxTextPool::Ref label;
    if (!m_text.Append(text, &label)) return -1;
    const int row = std::min(nRow, RowCount());
    if (RowCount() == 0 && bViewHidden) OpenReset();
    if (!m_bResetOpen) beginInsertRows(QModelIndex(), row, row);
    const auto first = m_cells.insert(m_cells.begin() + std::ptrdiff_t(row) * Stride(),
                                      std::size_t(Stride()), AfxTextPool::Ref());
    *first = label;
    m_images.insert(m_images.begin() + row, nImage);
    if (!m_bResetOpen) endInsertRows();
    return row;
}

void AfxListModel::SetText(int nRow, int nColumn, std::u16string_view text) {
    AfxTextPool::Ref ref;
    if (!m_text.Append(text, &ref)) return;
    m_text.Release(Cell(nRow, nColumn));
    Cell(nRow, nColumn) = ref;
    if (m_text.IsSparse()) m_text.Compact(m_cells);
    if (!m_bResetOpen) emit dataChanged(index(nRow, nColumn), index(nRow, nColumn));
}

std::u16string_view AfxListModel::Text(int nRow, int nColumn) const {
    return m_text.View(Cell(nRow, nColumn));
}

bool AfxListModel::HasImage(int nRow) const {
    const int image = Image(nRow);
    return m_pImageList && image >= 0 && image < m_pImageList->GetImageCount();
}

void AfxListModel::SetImage(int nRow, int nImage) {
    m_images[std::size_t(nRow)] = nImage;
    if (!m_bResetOpen) emit dataChanged(index(nRow, 0), index(nRow, 0), {Qt::DecorationRole});
}

void AfxListModel::RemoveRow(int nRow) {
    Publish();
    beginRemoveRows(QModelIndex(), nRow, nRow);
    const auto first = m_cells.begin() + std::ptrdiff_t(nRow) * Stride();
    for (auto cell = first; cell != first + Stride(); ++cell) m_text.Release(*cell);
    m_cells.erase(first, first + Stride());
    m_images.erase(m_images.begin() + nRow);
    if (m_text.IsSparse()) m_text.Compact(m_cells);
    endRemoveRows();
}

void AfxListModel::Clear(bool bViewHidden) {
    OpenReset();
    m_cells.clear();
    m_images.clear();
    m_text.Clear();
    if (!bViewHidden) Publish();
}

void AfxListModel::SetImageList(const CImageList* pImageList) {
    m_pImageList = pImageList;
    if (!m_bResetOpen && RowCount() > 0)
        emit dataChanged(index(0, 0), index(RowCount() - 1, 0), {Qt::DecorationRole});
}

QModelIndex AfxListModel::index(int row, int column, const QModelIndex& parent) const {
    if (parent.isValid() || row < 0 || row >= RowCount() || column < 0 || column >= Stride())
        return QModelIndex();
    return createIndex(row, column);
}

int AfxListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : RowCount();
}

int AfxListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Stride();
}

QVariant AfxListModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return QVariant();
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        const std::u16string_view text = Text(index.row(), index.column());
        return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
    }
    if (role != Qt::DecorationRole || index.column() != 0 || !HasImage(index.row()))
        return QVariant();
    return QIcon(m_pImageList->GetPixmap(Image(index.row())));
}

QVariant AfxListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= Columns()) return QVariant();
    if (role == Qt::DisplayRole) return m_headings[std::size_t(section)];
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignLeft | Qt::AlignVCenter);
    return QVariant();
}

Qt::ItemFlags AfxListModel::flags(const QModelIndex& index) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (m_bEditLabels && index.column() == 0) flags |= Qt::ItemIsEditable;
    return flags;
}
