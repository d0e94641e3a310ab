#include "framework/CDocument.h"

#include <algorithm>

#include "framework/CDocTemplate.h"
#include "framework/CFrameWnd.h"
#include "framework/CView.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

CDocument::CDocument() = default;

CDocument::~CDocument() {
    for (CView* view : m_viewList) view->m_pDocument = nullptr;
    if (m_pDocTemplate) m_pDocTemplate->DetachDocument(this);
}

POSITION CDocument::GetFirstViewPosition() const {
    return m_viewList.empty() ? nullptr : reinterpret_cast<POSITION>(std::uintptr_t{1});
}

CView* CDocument::GetNextView(POSITION& rPosition) const {
    const auto index = reinterpret_cast<std::uintptr_t>(rPosition);
    if (index == 0 || index > m_viewList.size()) {
        rPosition = nullptr;
        return nullptr;
    }
    rPosition = index < m_viewList.size() ? reinterpret_cast<POSITION>(index + 1) : nullptr;
    return m_viewList[index - 1];
}

void CDocument::AddView(CView* pView) {
    if (std::find(m_viewList.begin(), m_viewList.end(), pView) != m_viewList.end()) return;
    if (pView->m_pDocument) pView->m_pDocument->RemoveView(pView);
    m_viewList.push_back(pView);
    pView->m_pDocument = this;
}

void CDocument::RemoveView(CView* pView) {
    const auto it = std::find(m_viewList.begin(), m_viewList.end(), pView);
    if (it == m_viewList.end()) return;
    m_viewList.erase(it);
    pView->m_pDocument = nullptr;
}

BOOL CDocument::OnNewDocument() { return TRUE; }

void CDocument::OnCloseDocument() {
    // Destroying a frame destroys its views, which leave m_viewList.
    const BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.empty()) {
        CView* view = m_viewList.front();
        CFrameWnd* frame = view->GetParentFrame();
        if (frame && frame->m_hWnd) frame->DestroyWindow();
        else if (view->m_hWnd) view->DestroyWindow();
        else RemoveView(view);
    }
    m_bAutoDelete = autoDelete;
    if (m_bAutoDelete) delete this;
}
