#pragma once
// Ties a document class, a frame class and a view class to a resource id.

#include "framework/CCmdTarget.h"
#include "framework/CString.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)
public:
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName
    };

    ~CDocTemplate() override;

    virtual CDocument* OpenDocumentFile(LPCWSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void CloseAllDocuments(BOOL bEndSession) = 0;

    // Part nIndex of the template string (resource nIDResource, parts
    // separated by '\n').
    BOOL GetDocString(CString& rString, DocStringIndex nIndex) const;
    UINT GetResourceID() const { return m_nIDResource; }

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
    const CRuntimeClass* m_pViewClass;

private:
    friend class CDocument;
};
