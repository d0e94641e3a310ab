#pragma once
// The widget behind CTreeCtrl: a tree view with rows of one height over the
// control's item model, so that only the rows in sight are measured or
// painted. It keeps the caret (the current index) and reports every change
// of it to the notify target as TVN_SELCHANGED, synchronously.
//
// The one column is as wide as the rows in sight need, so a deep item can be
// scrolled to sideways, and an item made current is scrolled fully into
// view, sideways too. TVS_HASLINES draws the lines between the items. An
// item's tool tip is the one the notify target gives for it in answer to
// TVN_GETINFOTIP (TVS_INFOTIP), or else its text when the view cuts it off.

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

    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

protected:
    void drawBranches(QPainter* painter, const QRect& rect,
                      const QModelIndex& index) const override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* event) override;

private:
    // Widens the column to what the rows in sight need, or to the view.
    void FitColumn();
    // The item's tip: the notify target's info tip, or the text cut off.
    QString TipFor(const QModelIndex& index);
    void OnCurrentChanged(const QModelIndex& current, const QModelIndex& previous);
    void OnCollapsed(const QModelIndex& index);
    void Notify(HTREEITEM hOld, DWORD_PTR oldData, Id current);

    AfxTreeModel* m_pModel;
    DWORD m_dwStyle;
    CWnd* m_pNotifyTarget;
    CImageList* m_pImageList = nullptr;
    bool m_bSilent = false;
};
