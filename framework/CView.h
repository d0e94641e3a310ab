#pragma once
// A view: a child window of the frame attached to one document.

#include "framework/CWnd.h"

class CDocument;

// The default style of the framework's views.
inline constexpr DWORD AFX_WS_DEFAULT_VIEW = WS_CHILD | WS_VISIBLE | WS_BORDER;

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CDocument* GetDocument() const { return m_pDocument; }

    // Sent once by the frame after all views exist.
    virtual void OnInitialUpdate();
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    CView();
    ~CView() override;

    // Attaches the view to the creation context's document.
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void PostNcDestroy() override;
    BOOL OnWidgetEvent(QEvent* pEvent) override;

    CDocument* m_pDocument = nullptr;

    DECLARE_MESSAGE_MAP()

private:
    friend class CDocument;
};
