#include "framework/CListView.h"

IMPLEMENT_DYNCREATE(CListView, CView)

CListView::CListView() = default;

CListView::~CListView() { m_listCtrl.Detach(); }

CListCtrl& CListView::GetListCtrl() const {
    if (!m_listCtrl.m_hWnd && m_hWnd) m_listCtrl.Attach(m_hWnd);
    return m_listCtrl;
}

BOOL CListView::PreCreateWindow(CREATESTRUCT& cs) {
    cs.lpszClass = WC_LISTVIEW;
    return CView::PreCreateWindow(cs);
}

HWND CListView::CreateWidget(CREATESTRUCT& cs) { return CListCtrl::CreateListWidget(cs, this); }
