#include "framework/CDocTemplate.h"

#include "framework/AfxResources.h"
#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/CWinApp.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CDocTemplate::CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass,
                           const CRuntimeClass* pFrameClass, const CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource),
      m_pDocClass(pDocClass),
      m_pFrameClass(pFrameClass),
      m_pViewClass(pViewClass) {}

CDocTemplate::~CDocTemplate() = default;

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex nIndex) const {
    const CString all(AfxResources::FindString(m_nIDResource));
    rString.Empty();
    int start = 0;
    for (int part = 0; part < int(nIndex); ++part) {
        start = all.Find(u'\n', start);
        if (start < 0) return FALSE;
        ++start;
    }
    const int end = all.Find(u'\n', start);
    rString = end < 0 ? all.Mid(start) : all.Mid(start, end - start);
    return TRUE;
}

void CDocTemplate::AttachDocument(CDocument* pDoc) {
    pDoc->m_pDocTemplate = this;
    OnDocumentAttached(pDoc);
}

void CDocTemplate::DetachDocument(CDocument* pDoc) {
    pDoc->m_pDocTemplate = nullptr;
    OnDocumentDetached(pDoc);
}

CDocument* CDocTemplate::CreateNewDocument() {
    CObject* object = m_pDocClass ? m_pDocClass->CreateObject() : nullptr;
    if (!object || !object->IsKindOf(RUNTIME_CLASS(CDocument))) {
        delete object;
        return nullptr;
    }
    auto* doc = static_cast<CDocument*>(object);
    AttachDocument(doc);
    return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd*) {
    CObject* object = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
    if (!object || !object->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
        delete object;
        return nullptr;
    }
    auto* frame = static_cast<CFrameWnd*>(object);
    CCreateContext context;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    CWnd::DeletionWatch watch(frame);
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) {
        if (!watch.Deleted()) delete frame;
        return nullptr;
    }
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible) {
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}
