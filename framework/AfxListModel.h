#pragma once
// The list control's rows as a Qt item model: per row one text per column
// (kept in a shared pool, about a dozen bytes a row and no allocation of its
// own) and an image index for column 0; column headings for report mode.
//
// A list filled while its view is hidden (a dialog filling its list before
// it opens) gets no notice per row: the first row inserted into an empty,
// hidden list opens a model reset, further rows and texts go into it
// silently, and the reset ends before anything else reaches the view
// (Publish) or when the view is shown.

#include <QAbstractTableModel>
#include <QString>
#include <string_view>
#include <vector>

#include "framework/AfxTextPool.h"

class CImageList;

class AfxListModel : public QAbstractTableModel {
public:
    AfxListModel(QObject* parent, bool bEditLabels);

    int RowCount() const { return int(m_images.size()); }
    // The number of columns inserted (at least one column always exists).
    int Columns() const { return int(m_headings.size()); }

    // Inserts an empty column before col (past the end: last).
    int InsertColumn(int nCol, const QString& heading);
    // nRow past the end appends; the row's index, -1 when the texts can no
    // longer be held.
    int InsertRow(int nRow, std::u16string_view text, int nImage, bool bViewHidden);
    void SetText(int nRow, int nColumn, std::u16string_view text);
    std::u16string_view Text(int nRow, int nColumn) const;
    void SetImage(int nRow, int nImage);
    int Image(int nRow) const { return m_images[std::size_t(nRow)]; }
    // Whether the row shows an image from the list's image list.
    bool HasImage(int nRow) const;
    void RemoveRow(int nRow);
    // Removes every row; the reset this opens ends at once when the view
    // shows.
    void Clear(bool bViewHidden);
    void SetImageList(const CImageList* pImageList);

    // Ends an open reset, so that the view shows what the rows are now.
    void Publish();

    // Without the base's checks through the virtual counts: a layout asks
    // for every row's index.
    QModelIndex index(int row, int column,
                      const QModelIndex& parent = QModelIndex()) const override;
    int rowCount(const QModelIndex& parent) const override;
    int columnCount(const QModelIndex& parent) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    int Stride() const { return std::max(1, Columns()); }
    AfxTextPool::Ref& Cell(int nRow, int nColumn) {
        return m_cells[std::size_t(nRow) * std::size_t(Stride()) + std::size_t(nColumn)];
    }
    const AfxTextPool::Ref& Cell(int nRow, int nColumn) const {
        return m_cells[std::size_t(nRow) * std::size_t(Stride()) + std::size_t(nColumn)];
    }
    void OpenReset();

    bool m_bEditLabels;
    std::vector<QString> m_headings;
    // Row-major: Stride() cells per row.
    std::vector<AfxTextPool::Ref> m_cells;
    std::vector<int> m_images;
    AfxTextPool m_text;
    const CImageList* m_pImageList = nullptr;
    bool m_bResetOpen = false;
};
