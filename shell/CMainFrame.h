#pragma once
// The main window: the command bar on top and a static splitter below it,
// the values list in the upper pane and the key tree in the lower one.

#include "dialogs/SearchSettings.h"
#include "document/CSearchHost.h"
#include "framework/CCeCommandBar.h"
#include "framework/CFrameWnd.h"
#include "framework/CSplitterWnd.h"

class CMainFrame : public CFrameWnd, public CSearchHost {
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // Bring a pane to the front with the keyboard focus, as after a search match.
    void ActivateValuesPane() override;
    void ActivateKeysPane() override;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct);

    // The editing commands.
    void OnEditNewKey();
    void OnEditNewNumber();
    void OnEditNewString();
    void OnEditNewMultiString();
    void OnEditNewBinary();
    void OnEditModify();
    void OnEditRename();
    void OnEditDelete();
    void OnViewRefresh();
    // The New commands need a selected key; Modify and Rename a selected value.
    void OnUpdateKeySelected(CCmdUI* pCmdUI);
    void OnUpdateValueSelected(CCmdUI* pCmdUI);

    void OnEditFind();
    void OnEditFindNext();
    void OnUpdateEditFindNext(CCmdUI* pCmdUI);

    CSplitterWnd m_wndSplitter;
    CCeCommandBar m_wndCommandBar;
    SearchSettings m_findSettings;
    BOOL m_bFindActive = FALSE;

    DECLARE_MESSAGE_MAP()
};
