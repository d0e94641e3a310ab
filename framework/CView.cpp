#include "framework/CView.h"

#include <QEvent>
#include <QWidget>

#include "framework/CCreateContext.h"
#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CView::CView() = default;

CView::~CView() {
    if (m_pDocument) m_pDocument->RemoveView(this);
    if (CFrameWnd* frame = GetParentFrame(); frame && frame->GetActiveView() == this)
        frame->SetActiveView(nullptr);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style |= LONG(WS_CHILD);
    return TRUE;
}

int CView::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    auto* context = static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams);
    if (context && context->m_pCurrentDoc) context->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnInitialUpdate() {}

void CView::PostNcDestroy() { delete this; }

BOOL CView::OnWidgetEvent(QEvent* pEvent) {
    if (pEvent->type() == QEvent::FocusIn)
        if (CFrameWnd* frame = GetParentFrame()) frame->SetActiveView(this);
    return FALSE;
}
