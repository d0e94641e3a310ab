#include "framework/CDocTemplate.h"

#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/CWinApp.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CDocTemplate::CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass,
                           const CRuntimeClass* pFrameClass, const CRuntimeClass*)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass) {}

CDocTemplate::~CDocTemplate() = default;

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
