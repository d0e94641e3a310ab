#include "framework/AfxTreeModel.h"

#include <QIcon>
#include <QPixmap>
#include <QTimer>

#include "framework/CImageList.h"

AfxTreeModel::AfxTreeModel(QObject* parent) : QAbstractItemModel(parent) {}

QModelIndex AfxTreeModel::IndexOf(Id id) const {
    return m_nodes.IsLive(id) ? createIndex(m_nodes.Row(id), 0, quintptr(id)) : QModelIndex();
}

AfxTreeModel::Id AfxTreeModel::IdOf(const QModelIndex& index) {
    return index.isValid() ? Id(index.internalId()) : AfxTreeNodes::kNone;
}

AfxTreeModel::Id AfxTreeModel::Resolve(const QModelIndex& index) const {
    if (!index.isValid()) return AfxTreeNodes::kRoot;
    const Id id = IdOf(index);
    return index.model() == this && index.column() == 0 && m_nodes.IsLive(id) ? id
                                                                              : AfxTreeNodes::kNone;
}

void AfxTreeModel::OpenReset() {
    if (m_bResetOpen) return;
    beginResetModel();
    m_bResetOpen = true;
    // A program that goes back to the event loop without touching the view
    // still sees its items shown.
    QTimer::singleShot(0, this, &AfxTreeModel::Publish);
}

void AfxTreeModel::Publish() {
    if (!m_bResetOpen) return;
    m_bResetOpen = false;
    endResetModel();
}

AfxTreeModel::Id AfxTreeModel::Insert(Id parent, std::u16string_view text) {
    if (m_nodes.Count() == 0) OpenReset();
    if (m_bResetOpen) return m_nodes.Append(parent, text);
    const int row = m_nodes.ChildCount(parent);
    beginInsertRows(parent == AfxTreeNodes::kRoot ? QModelIndex() : IndexOf(parent), row, row);
    const Id id = m_nodes.Append(parent, text);
    endInsertRows();
    return id;
}

void AfxTreeModel::Remove(Id id) {
    Publish();
    const Id parent = m_nodes.Parent(id);
    const int row = m_nodes.Row(id);
    beginRemoveRows(parent == AfxTreeNodes::kRoot ? QModelIndex() : IndexOf(parent), row, row);
    m_nodes.Remove(id);
    endRemoveRows();
}

void AfxTreeModel::Clear() {
    OpenReset();
    m_nodes.Clear();
}

void AfxTreeModel::SortChildren(Id parent) {
    if (m_bResetOpen) {
        m_nodes.SortChildren(parent);
        return;
    }
    const QModelIndex parentIndex = parent == AfxTreeNodes::kRoot ? QModelIndex() : IndexOf(parent);
    emit layoutAboutToBeChanged({QPersistentModelIndex(parentIndex)},
                                QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    m_nodes.SortChildren(parent);
    // Ids stay; only rows move.
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before) after.push_back(IndexOf(IdOf(index)));
    changePersistentIndexList(before, after);
    emit layoutChanged({QPersistentModelIndex(parentIndex)}, QAbstractItemModel::VerticalSortHint);
}

void AfxTreeModel::SetImages(Id id, int nImage, int nSelectedImage) {
    if (m_nodes.Images(id) == std::pair{nImage, nSelectedImage}) return;
    m_nodes.SetImages(id, nImage, nSelectedImage);
    if (!m_bResetOpen) emit dataChanged(IndexOf(id), IndexOf(id), {Qt::DecorationRole});
}

void AfxTreeModel::SetImageList(const CImageList* pImageList) {
    m_pImageList = pImageList;
}

QModelIndex AfxTreeModel::index(int row, int column, const QModelIndex& parent) const {
    const Id owner = Resolve(parent);
    if (column != 0 || owner == AfxTreeNodes::kNone) return QModelIndex();
    const Id id = m_nodes.Child(owner, row);
    return id == AfxTreeNodes::kNone ? QModelIndex() : createIndex(row, 0, quintptr(id));
}

QModelIndex AfxTreeModel::parent(const QModelIndex& child) const {
    const Id id = Resolve(child);
    if (id == AfxTreeNodes::kNone || id == AfxTreeNodes::kRoot) return QModelIndex();
    return IndexOf(m_nodes.Parent(id));
}

int AfxTreeModel::rowCount(const QModelIndex& parent) const {
    const Id owner = Resolve(parent);
    return owner == AfxTreeNodes::kNone ? 0 : m_nodes.ChildCount(owner);
}

int AfxTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

bool AfxTreeModel::hasChildren(const QModelIndex& parent) const {
    return rowCount(parent) > 0;
}

QVariant AfxTreeModel::data(const QModelIndex& index, int role) const {
    const Id id = Resolve(index);
    if (id == AfxTreeNodes::kNone || id == AfxTreeNodes::kRoot) return QVariant();
    if (role == Qt::DisplayRole) {
        const std::u16string_view text = m_nodes.Text(id);
        return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
    }
    if (role != Qt::DecorationRole || !m_pImageList) return QVariant();
    const auto [nImage, nSelectedImage] = m_nodes.Images(id);
    QIcon icon(m_pImageList->GetPixmap(nImage));
    if (nSelectedImage != nImage)
        icon.addPixmap(m_pImageList->GetPixmap(nSelectedImage), QIcon::Selected);
    return icon;
}

Qt::ItemFlags AfxTreeModel::flags(const QModelIndex& index) const {
    const Id id = Resolve(index);
    if (id == AfxTreeNodes::kNone || id == AfxTreeNodes::kRoot) return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled;
}
