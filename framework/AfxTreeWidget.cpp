#include "framework/AfxTreeWidget.h"

#include <QItemSelectionModel>

#include "framework/CImageList.h"
#include "framework/CWnd.h"

AfxTreeWidget::AfxTreeWidget(QWidget* parent, DWORD dwStyle, CWnd* pNotifyTarget)
    : QTreeView(parent), m_pModel(new AfxTreeModel(this)), m_pNotifyTarget(pNotifyTarget) {
    setModel(m_pModel);
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setSelectionMode(SingleSelection);
    setEditTriggers(NoEditTriggers);
    setIconSize(QSize(16, 16));
    setRootIsDecorated((dwStyle & TVS_LINESATROOT) != 0);
    setFrameShape((dwStyle & WS_BORDER) ? QFrame::StyledPanel : QFrame::NoFrame);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            &AfxTreeWidget::OnCurrentChanged);
    connect(this, &QTreeView::collapsed, this, &AfxTreeWidget::OnCollapsed);
}

QModelIndex AfxTreeWidget::IndexOf(HTREEITEM hItem) const {
    m_pModel->Publish();
    return m_pModel->IndexOf(Nodes().Find(hItem));
}

HTREEITEM AfxTreeWidget::Insert(std::u16string_view text, HTREEITEM hParent,
                                HTREEITEM hInsertAfter) {
    Id parent = AfxTreeNodes::kRoot;
    if (hParent && hParent != TVI_ROOT) {
        parent = Nodes().Find(hParent);
        if (parent == AfxTreeNodes::kNone) return nullptr;
    }
    if (hInsertAfter != TVI_LAST) return nullptr;
    return Nodes().Handle(m_pModel->Insert(parent, text));
}

bool AfxTreeWidget::Delete(HTREEITEM hItem) {
    const Id id = Nodes().Find(hItem);
    if (id == AfxTreeNodes::kNone) return false;
    const HTREEITEM hCaret = Caret();
    const Id caret = Nodes().Find(hCaret);
    const bool caretInside =
        caret != AfxTreeNodes::kNone && (caret == id || Nodes().IsAncestor(id, caret));
    Id target = AfxTreeNodes::kNone;
    if (caretInside) {
        const Id parent = Nodes().Parent(id);
        const int row = Nodes().Row(id);
        target = Nodes().Child(parent, row + 1);
        if (target == AfxTreeNodes::kNone) target = Nodes().Child(parent, row - 1);
        if (target == AfxTreeNodes::kNone && parent != AfxTreeNodes::kRoot) target = parent;
    }
    const DWORD_PTR oldData = hCaret ? Nodes().Data(caret) : 0;

    m_bSilent = true;
    m_pModel->Remove(id);
    if (caretInside) {
        setCurrentIndex(m_pModel->IndexOf(target));
        if (target == AfxTreeNodes::kNone) clearSelection();
    }
    m_bSilent = false;
    if (caretInside) Notify(hCaret, oldData, target);
    return true;
}

void AfxTreeWidget::DeleteAll() {
    // The reset this opens clears the caret without a notice.
    m_pModel->Clear();
}

bool AfxTreeWidget::Select(HTREEITEM hItem) {
    m_pModel->Publish();
    Id id = AfxTreeNodes::kNone;
    if (hItem) {
        id = Nodes().Find(hItem);
        if (id == AfxTreeNodes::kNone) return false;
    }
    const QModelIndex index = m_pModel->IndexOf(id);
    setCurrentIndex(index);
    if (index.isValid())
        scrollTo(index);
    else
        clearSelection();
    return true;
}

HTREEITEM AfxTreeWidget::Caret() const {
    m_pModel->Publish();
    return Nodes().Handle(AfxTreeModel::IdOf(currentIndex()));
}

bool AfxTreeWidget::Expand(HTREEITEM hItem) {
    const QModelIndex index = IndexOf(hItem);
    if (!index.isValid()) return false;
    expand(index);
    return true;
}

CImageList* AfxTreeWidget::SetImageList(CImageList* pImageList) {
    CImageList* previous = m_pImageList;
    m_pImageList = pImageList;
    m_pModel->SetImageList(pImageList);
    viewport()->update();
    return previous;
}

void AfxTreeWidget::OnCurrentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (m_bSilent) return;
    const Id old = AfxTreeModel::IdOf(previous);
    Notify(Nodes().Handle(old), Nodes().IsLive(old) ? Nodes().Data(old) : 0,
           AfxTreeModel::IdOf(current));
}

void AfxTreeWidget::OnCollapsed(const QModelIndex& index) {
    // As on the platform, collapsing the branch that holds the caret moves
    // the caret to the collapsed item.
    const Id caret = AfxTreeModel::IdOf(currentIndex());
    if (Nodes().IsLive(caret) && Nodes().IsAncestor(AfxTreeModel::IdOf(index), caret))
        setCurrentIndex(index);
}

void AfxTreeWidget::Notify(HTREEITEM hOld, DWORD_PTR oldData, Id current) {
    if (!m_pNotifyTarget) return;
    NMTREEVIEW nm{};
    nm.hdr.code = TVN_SELCHANGED;
    nm.action = TVC_UNKNOWN;
    nm.itemOld.mask = TVIF_HANDLE | TVIF_PARAM;
    nm.itemOld.hItem = hOld;
    nm.itemOld.lParam = LPARAM(oldData);
    nm.itemNew.mask = TVIF_HANDLE | TVIF_PARAM;
    nm.itemNew.hItem = Nodes().Handle(current);
    nm.itemNew.lParam = Nodes().IsLive(current) ? LPARAM(Nodes().Data(current)) : 0;
    m_pNotifyTarget->SendNotify(&nm.hdr);
}
