#pragma once
// Ties a document class and a frame class to a resource id. The view class
// is accepted as on the platform, but the frame creates its views itself.

#include "framework/CCmdTarget.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)
public:
    ~CDocTemplate() override;

    virtual CDocument* OpenDocumentFile(LPCWSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void CloseAllDocuments(BOOL bEndSession) = 0;

    CDocument* CreateNewDocument();
    CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);

protected:
    CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass,
                 const CRuntimeClass* pFrameClass, const CRuntimeClass* pViewClass);
    void AttachDocument(CDocument* pDoc);
    void DetachDocument(CDocument* pDoc);
    virtual void OnDocumentAttached(CDocument* pDoc) = 0;
    virtual void OnDocumentDetached(CDocument* pDoc) = 0;

    UINT m_nIDResource;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;

private:
    friend class CDocument;
};
