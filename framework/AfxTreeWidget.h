#pragma once
// The widget behind CTreeCtrl: a tree view with rows of one height over the
// control's item model, so that only the rows in sight are measured or
// painted. It keeps the caret (the current index) and reports every change
// of it to the notify target as TVN_SELCHANGED, synchronously.

#include <QTreeView>

#include "framework/AfxTreeModel.h"
#include "framework/types.h"

class CImageList;
class CWnd;

class AfxTreeWidget : public QTreeView {
public:
    using Id = AfxTreeModel::Id;

    AfxTreeWidget(QWidget* parent, DWORD dwStyle, CWnd* pNotifyTarget);

    const AfxTreeNodes& Nodes() const { return m_pModel->Nodes(); }
    AfxTreeModel& Model() const { return *m_pModel; }
    // The model index of a live item (invalid otherwise), for the view's
    // own geometry queries.
    QModelIndex IndexOf(HTREEITEM hItem) const;

    HTREEITEM Insert(std::u16string_view text, HTREEITEM hParent, HTREEITEM hInsertAfter);
    bool Delete(HTREEITEM hItem);
    void DeleteAll();
    bool Select(HTREEITEM hItem);
    HTREEITEM Caret() const;
    bool Expand(HTREEITEM hItem);

    const CImageList* ImageList() const { return m_pImageList; }
    CImageList* SetImageList(CImageList* pImageList);

private:
    void OnCurrentChanged(const QModelIndex& current, const QModelIndex& previous);
    void OnCollapsed(const QModelIndex& index);
    void Notify(HTREEITEM hOld, DWORD_PTR oldData, Id current);

    AfxTreeModel* m_pModel;
    CWnd* m_pNotifyTarget;
    CImageList* m_pImageList = nullptr;
    bool m_bSilent = false;
};
