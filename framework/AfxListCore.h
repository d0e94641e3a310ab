#pragma once
// What the two list views (report and icon) share: the rows, the image
// list, the selection notices and the label-edit protocol.

#include <QObject>
#include <QString>
#include <string_view>

#include "framework/types.h"

class QAbstractItemView;
class QItemSelection;
class AfxListModel;
class CImageList;
class CWnd;

class AfxListCore : public QObject {
public:
    AfxListCore(QAbstractItemView* view, DWORD dwStyle, CWnd* pNotifyTarget);

    // The core of a list widget, null for any other widget.
    static AfxListCore* Of(QWidget* widget);

    AfxListModel& Model() const { return *m_pModel; }
    QAbstractItemView* View() const { return m_pView; }
    DWORD Style() const { return m_dwStyle; }
    int Count() const;

    int InsertColumn(int nCol, const QString& heading, int nWidth);
    int InsertRow(int nItem, std::u16string_view text, int nImage);
    bool SetImage(int nItem, int nImage);
    // The row's image index, -1 for a row that does not exist.
    int Image(int nItem) const;
    bool SetText(int nItem, int nSubItem, std::u16string_view text);
    // Empty for a cell that does not exist.
    std::u16string_view Text(int nItem, int nSubItem) const;
    bool DeleteRow(int nItem);
    void DeleteAll();
    bool IsSelected(int nItem) const;
    // The first selected row after nItem, -1 when none.
    int NextSelected(int nItem) const;
    // The focused row, -1 when none.
    int Focused() const;
    bool SetState(int nItem, UINT nState, UINT nMask);
    bool ScrollTo(int nItem);
    // Starts the in-place edit of a row's label; the editor, or null.
    QWidget* EditLabel(int nItem);
    CImageList* SetImageList(CImageList* pImageList);

    // Ends a silent fill, so that the view shows the rows as they are.
    void Publish() const;

    // The label-edit protocol, driven by the view.
    bool BeginEdit(int nItem);
    void CommitEdit(const QString& text);
    void EndEdit(bool bSubmitted);
    void Click(UINT code, int nItem);

private:
    bool IsRow(int nItem) const { return nItem >= 0 && nItem < Count(); }
    void OnSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
    void SendItemChanged(int nItem, UINT uNewState, UINT uOldState);

    QAbstractItemView* m_pView;
    AfxListModel* m_pModel;
    DWORD m_dwStyle;
    CWnd* m_pNotifyTarget;
    CImageList* m_pImageList = nullptr;
    bool m_bSilent = false;
    int m_nEditRow = -1;
    bool m_bCommitted = false;
    QString m_strCommitted;
};
