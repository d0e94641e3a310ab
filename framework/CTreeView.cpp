#include "framework/CTreeView.h"

IMPLEMENT_DYNCREATE(CTreeView, CView)

CTreeView::CTreeView() = default;

CTreeView::~CTreeView() { m_treeCtrl.Detach(); }

CTreeCtrl& CTreeView::GetTreeCtrl() const {
    if (!m_treeCtrl.m_hWnd && m_hWnd) m_treeCtrl.Attach(m_hWnd);
    return m_treeCtrl;
}

BOOL CTreeView::PreCreateWindow(CREATESTRUCT& cs) {
    cs.lpszClass = WC_TREEVIEW;
    return CView::PreCreateWindow(cs);
}

HWND CTreeView::CreateWidget(CREATESTRUCT& cs) { return CTreeCtrl::CreateTreeWidget(cs, this); }
