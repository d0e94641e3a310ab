#pragma once
// The tree control's items as a Qt item model: one column, item text and
// image, internal ids that are the items' ids.
//
// A tree emptied or still empty is refilled without a notice per item: the
// first insert into an empty tree opens a model reset, further inserts,
// images, data and sorting go into it silently, and the reset ends before
// anything else reaches the view (Publish), at the latest when the event
// loop next runs. Hundreds of thousands of items thus cost no more than
// their arrays.

#include <QAbstractItemModel>
#include <string_view>

#include "framework/AfxTreeNodes.h"

class CImageList;

class AfxTreeModel : public QAbstractItemModel {
public:
    using Id = AfxTreeNodes::Id;

    explicit AfxTreeModel(QObject* parent);

    const AfxTreeNodes& Nodes() const { return m_nodes; }
    QModelIndex IndexOf(Id id) const;
    static Id IdOf(const QModelIndex& index);

    Id Insert(Id parent, std::u16string_view text);
    void Remove(Id id);
    void Clear();
    void SortChildren(Id parent);
    void SetImages(Id id, int nImage, int nSelectedImage);
    void SetData(Id id, DWORD_PTR dwData) { m_nodes.SetData(id, dwData); }
    void SetImageList(const CImageList* pImageList);

    // Ends an open reset, so that the view shows what the items are now.
    void Publish();

    QModelIndex index(int row, int column, const QModelIndex& parent) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent) const override;
    int columnCount(const QModelIndex& parent) const override;
    bool hasChildren(const QModelIndex& parent) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    // The item an index names, kRoot for the invisible root and kNone for
    // an index that no longer names an item.
    Id Resolve(const QModelIndex& index) const;
    void OpenReset();

    AfxTreeNodes m_nodes;
    const CImageList* m_pImageList = nullptr;
    bool m_bResetOpen = false;
};
