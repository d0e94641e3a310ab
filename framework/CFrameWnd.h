#pragma once
// The main window: control bars on top, the client window (id
// AFX_IDW_PANE_FIRST) below, the active view, accelerators, and command
// routing (this frame's map first, then the application's).

#include <memory>

#include "framework/CCreateContext.h"
#include "framework/CWnd.h"

class CView;
class CDocument;
class AfxFrameState;

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd();
    ~CFrameWnd() override;

    // Creates the window: title from the first part of string nIDResource,
    // icon and accelerators of the same id (which leave the keys typed into
    // an edit field to the field); WM_CREATE builds the client area through
    // OnCreateClient with pContext.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    virtual CDocument* GetActiveDocument();
    CView* GetActiveView() const;
    void SetActiveView(CView* pViewNew);

    // Sends every view of pDoc its initial update in view order, then shows
    // the frame when bMakeVisible.
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // The update pass: applies the enable rules to every menu item and tool
    // button of this frame.
    void OnIdleUpdateCmdUI();

    // Called by control bars created with this frame as parent.
    void AddControlBar(CWnd* pBar);

protected:
    // Builds the client window (id AFX_IDW_PANE_FIRST) and its views; the
    // default builds none.
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnClose() override;
    void PostNcDestroy() override;
    HWND CreateWidget(CREATESTRUCT& cs) override;
    BOOL OnWidgetEvent(QEvent* pEvent) override;

    void OnNextPane();
    void OnPrevPane();
    void OnUpdateNextPane(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()

private:
    void LoadAccelTable(UINT nIDResource);
    // Places the control bars on top and the client window below.
    void RecalcLayout();
    CWnd* ClientWindow() const;

    std::unique_ptr<AfxFrameState> m_pState;
};
