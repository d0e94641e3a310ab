#pragma once
// Template of a program with one document and one frame at a time.

#include "framework/CDocTemplate.h"

class CSingleDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CSingleDocTemplate)
public:
    CSingleDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass,
                       const CRuntimeClass* pFrameClass, const CRuntimeClass* pViewClass);
    ~CSingleDocTemplate() override;

    // The first call creates the document, the frame (which becomes the main
    // window when there is none) and the views, and sends the views their
    // initial update. Later calls start the existing document anew through
    // OnNewDocument. A path is not supported: documents have no files.
    CDocument* OpenDocumentFile(LPCWSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    void CloseAllDocuments(BOOL bEndSession) override;
    CDocument* GetDocument() const { return m_pOnlyDoc; }

protected:
    void OnDocumentAttached(CDocument* pDoc) override;
    void OnDocumentDetached(CDocument* pDoc) override;

private:
    CDocument* m_pOnlyDoc = nullptr;
};
