#include "framework/CSplitterWnd.h"


#include "framework/AfxSplitterWidget.h"

#include "framework/CFrameWnd.h"
#include "framework/CView.h"

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

CSplitterWnd::CSplitterWnd() = default;

CSplitterWnd::~CSplitterWnd() = default;

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID) {
    if (nRows < 1 || nCols < 1 || (nRows > 1 && nCols > 1) || m_hWnd) return FALSE;
    m_nRows = nRows;
    m_nCols = nCols;
    m_panes.assign(std::size_t(nRows * nCols), nullptr);
    const RECT rect{0, 0, 0, 0};
    return CreateEx(0, nullptr, nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

HWND CSplitterWnd::CreateWidget(CREATESTRUCT& cs) {
    return new AfxSplitterWidget(m_nRows > 1 ? Qt::Vertical : Qt::Horizontal, cs.hwndParent);
}

BOOL CSplitterWnd::CreateView(int row, int col, const CRuntimeClass* pViewClass, SIZE sizeInit,
                              CCreateContext* pContext) {
    if (!m_hWnd || row < 0 || row >= m_nRows || col < 0 || col >= m_nCols || !pViewClass) return FALSE;
    const int index = row * m_nCols + col;
    if (m_panes[std::size_t(index)]) return FALSE;
    CObject* object = pViewClass->CreateObject();
    if (!object || !object->IsKindOf(RUNTIME_CLASS(CWnd))) {
        delete object;
        return FALSE;
    }
    auto* view = static_cast<CWnd*>(object);
    const RECT rect{0, 0, sizeInit.cx, sizeInit.cy};
    CWnd::DeletionWatch watch(view);
    if (!view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, rect, this, UINT(IdFromRowCol(row, col)),
                      pContext)) {
        if (!watch.Deleted()) delete view;
        return FALSE;
    }
    m_panes[std::size_t(index)] = view;

    auto* splitter = static_cast<AfxSplitterWidget*>(m_hWnd);
    int position = 0;
    for (int i = 0; i < index; ++i)
        if (m_panes[std::size_t(i)]) ++position;
    splitter->insertWidget(position, view->m_hWnd);
    splitter->SetInitialSize(position, m_nRows > 1 ? sizeInit.cy : sizeInit.cx);
    return TRUE;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const {
    if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols) return nullptr;
    return m_panes[std::size_t(row * m_nCols + col)];
}

int CSplitterWnd::IdFromRowCol(int row, int col) const { return int(AFX_IDW_PANE_FIRST) + row * 16 + col; }

void CSplitterWnd::SetActivePane(int row, int col, CWnd* pWnd) {
    CWnd* pane = pWnd ? pWnd : GetPane(row, col);
    if (!pane) return;
    if (CFrameWnd* frame = GetParentFrame(); frame && pane->IsKindOf(RUNTIME_CLASS(CView)))
        frame->SetActiveView(static_cast<CView*>(pane));
    pane->SetFocus();
}

CWnd* CSplitterWnd::GetActivePane(int* pRow, int* pCol) {
    CFrameWnd* frame = GetParentFrame();
    CWnd* active = frame ? frame->GetActiveView() : nullptr;
    for (int i = 0; active && i < int(m_panes.size()); ++i) {
        if (m_panes[std::size_t(i)] != active) continue;
        if (pRow) *pRow = i / m_nCols;
        if (pCol) *pCol = i % m_nCols;
        return active;
    }
    return nullptr;
}

void CSplitterWnd::ActivateNext(BOOL bPrev) {
    const int count = int(m_panes.size());
    if (count == 0) return;
    int row = -1, col = 0;
    int index = GetActivePane(&row, &col) ? row * m_nCols + col : (bPrev ? 0 : -1);
    for (int step = 0; step < count; ++step) {
        index = (index + (bPrev ? count - 1 : 1)) % count;
        if (m_panes[std::size_t(index)]) {
            SetActivePane(index / m_nCols, index % m_nCols);
            return;
        }
    }
}
