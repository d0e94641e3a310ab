#include "framework/CSingleDocTemplate.h"

#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/CWinApp.h"

IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass,
                                       const CRuntimeClass* pFrameClass, const CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass) {}

CSingleDocTemplate::~CSingleDocTemplate() {
    if (m_pOnlyDoc) m_pOnlyDoc->OnCloseDocument();
}

void CSingleDocTemplate::OnDocumentAttached(CDocument* pDoc) { m_pOnlyDoc = pDoc; }

void CSingleDocTemplate::OnDocumentDetached(CDocument* pDoc) {
    if (m_pOnlyDoc == pDoc) m_pOnlyDoc = nullptr;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCWSTR lpszPathName, BOOL bMakeVisible) {
    if (lpszPathName && *lpszPathName) return nullptr;
    if (m_pOnlyDoc) {
        // The document has no file: starting anew keeps its frame and views
        // as they are, so the views are not initialised a second time.
        return m_pOnlyDoc->OnNewDocument() ? m_pOnlyDoc : nullptr;
    }
    CDocument* doc = CreateNewDocument();
    if (!doc) return nullptr;
    CFrameWnd* frame = CreateNewFrame(doc, nullptr);
    if (!frame) {
        doc->OnCloseDocument();
        return nullptr;
    }
    if (!doc->OnNewDocument()) {
        doc->OnCloseDocument();
        return nullptr;
    }
    CWinApp* app = AfxGetApp();
    if (app && !app->m_pMainWnd) app->m_pMainWnd = frame;
    InitialUpdateFrame(frame, doc, bMakeVisible);
    return doc;
}

void CSingleDocTemplate::CloseAllDocuments(BOOL) {
    if (m_pOnlyDoc) m_pOnlyDoc->OnCloseDocument();
}
