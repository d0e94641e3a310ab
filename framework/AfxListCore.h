#pragma once
// What the two list views (report and icon) share: the rows, the image
// list, the selection notices and the label-edit protocol.

#include <QObject>
#include <QString>

#include "framework/types.h"

class QAbstractItemView;
class QItemSelection;
class QStandardItem;
class QStandardItemModel;
class CImageList;
class CWnd;

class AfxListCore : public QObject {
public:
    AfxListCore(QAbstractItemView* view, DWORD dwStyle, CWnd* pNotifyTarget);

    // The core of a list widget, null for any other widget.
    static AfxListCore* Of(QWidget* widget);

    QStandardItemModel* Model() const { return m_pModel; }
    QAbstractItemView* View() const { return m_pView; }
    DWORD Style() const { return m_dwStyle; }

    int InsertColumn(int nCol, const QString& heading, int nWidth);
    int InsertRow(int nItem, const QString& text, int nImage);
    bool SetImage(int nItem, int nImage);
    // The row's image index, -1 for a row that does not exist.
    int Image(int nItem) const;
    bool SetText(int nItem, int nSubItem, const QString& text);
    QString Text(int nItem, int nSubItem) const;
    bool DeleteRow(int nItem);
    void DeleteAll();
    bool IsSelected(int nItem) const;
    bool SetState(int nItem, UINT nState, UINT nMask);
    CImageList* SetImageList(CImageList* pImageList);

    // The label-edit protocol, driven by the view.
    bool BeginEdit(int nItem);
    void CommitEdit(const QString& text);
    void EndEdit(bool bSubmitted);
    void Click(UINT code, int nItem);

private:
    void OnSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
    void SendItemChanged(int nItem, UINT uNewState, UINT uOldState);
    void ApplyImage(QStandardItem* item) const;

    QAbstractItemView* m_pView;
    QStandardItemModel* m_pModel;
    DWORD m_dwStyle;
    CWnd* m_pNotifyTarget;
    CImageList* m_pImageList = nullptr;
    int m_nColumns = 0;
    bool m_bSilent = false;
    int m_nEditRow = -1;
    bool m_bCommitted = false;
    QString m_strCommitted;
};
