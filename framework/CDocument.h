#pragma once
// The document: owns nothing of the views but knows them, in the order they
// were attached.

#include <vector>

#include "framework/CCmdTarget.h"
#include "framework/CString.h"

class CView;
class CDocTemplate;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    ~CDocument() override;

    POSITION GetFirstViewPosition() const;
    // The view at rPosition; advances rPosition (null after the last view).
    CView* GetNextView(POSITION& rPosition) const;
    void AddView(CView* pView);
    void RemoveView(CView* pView);

    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCWSTR lpszTitle);

    // The default clears the contents and succeeds.
    virtual BOOL OnNewDocument();
    virtual void DeleteContents();
    // Destroys the frames showing this document, then the document itself
    // when m_bAutoDelete.
    virtual void OnCloseDocument();

    BOOL m_bAutoDelete = TRUE;

protected:
    virtual void OnChangedViewList();

private:
    friend class CDocTemplate;
    CDocTemplate* m_pDocTemplate = nullptr;
    std::vector<CView*> m_viewList;
    CString m_strTitle;
};
