#pragma once
// The document: owns nothing of the views but knows them, in the order they
// were attached.

#include <vector>

#include "framework/CCmdTarget.h"

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

    // The document has no file: the default succeeds and changes nothing.
    virtual BOOL OnNewDocument();
    // Destroys the frames showing this document, then the document itself.
    virtual void OnCloseDocument();

private:
    friend class CDocTemplate;
    CDocTemplate* m_pDocTemplate = nullptr;
    std::vector<CView*> m_viewList;
    BOOL m_bAutoDelete = TRUE;
};
