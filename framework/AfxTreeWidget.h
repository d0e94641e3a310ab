#pragma once
// The widget behind CTreeCtrl: keeps the handle table (handles are ids that
// increase for the life of the control, looked up in O(1)) and reports
// caret changes to the notify target as TVN_SELCHANGED, synchronously.

#include <QTreeWidget>
#include <cstdint>
#include <vector>

#include "framework/types.h"

class AfxTreeItem;
class CImageList;
class CWnd;

class AfxTreeWidget : public QTreeWidget {
public:
    AfxTreeWidget(QWidget* parent, DWORD dwStyle, CWnd* pNotifyTarget);

    AfxTreeItem* Item(HTREEITEM hItem) const;
    static HTREEITEM Handle(const QTreeWidgetItem* item);

    HTREEITEM Insert(const QString& text, HTREEITEM hParent, HTREEITEM hInsertAfter);
    bool Delete(HTREEITEM hItem);
    void DeleteAll();
    bool Select(HTREEITEM hItem);
    UINT Count() const { return UINT(m_nCount); }

    const CImageList* ImageList() const { return m_pImageList; }
    CImageList* SetImageList(CImageList* pImageList);

private:
    void OnCurrentChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    void OnCollapsed(QTreeWidgetItem* item);
    void Notify(HTREEITEM hOld, DWORD_PTR oldData, QTreeWidgetItem* current);
    void Unregister(QTreeWidgetItem* item);
    QTreeWidgetItem* ParentOrRoot(QTreeWidgetItem* item) const;

    CWnd* m_pNotifyTarget;
    CImageList* m_pImageList = nullptr;
    // Slot i holds the item with id m_base + i, or null once deleted.
    std::vector<AfxTreeItem*> m_items;
    std::uintptr_t m_base = 1;
    std::size_t m_nCount = 0;
    bool m_bSilent = false;
};
