#include "shell/CMainFrame.h"

#include <algorithm>

#include "framework/CDocument.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"
#include "resources/resource.h"
#include "shell/CBrackwellView.h"
#include "shell/CDetailsView.h"

namespace {

constexpr int kToolTipCount = 4;
constexpr int kToolTipBufferLength = 256;
constexpr SIZE kInitialPaneSize = {100, 100};
constexpr int kValuesRow = 0;
constexpr int kKeysRow = 1;

// One tip per tool button, in button order. The first comes from the string
// table and is a heap copy that lives as long as the process.
LPWSTR g_toolTips[kToolTipCount] = {nullptr, const_cast<LPWSTR>(u"Delete"),
                                    const_cast<LPWSTR>(u"Find"),
                                    const_cast<LPWSTR>(u"Find Next")};

LPWSTR LoadToolTip(UINT nID) {
    WCHAR szBuffer[kToolTipBufferLength] = {};
    // One less than the buffer, so at most 254 characters and the terminator arrive.
    const int nLength = LoadString(AfxGetInstanceHandle(), nID, szBuffer, kToolTipBufferLength - 1);
    auto* pszCopy = new WCHAR[nLength + 1];
    std::copy_n(szBuffer, nLength + 1, pszCopy);
    return pszCopy;
}

}  // namespace

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_EDIT_NEW_KEY, OnEditNewKey)
    ON_COMMAND(ID_EDIT_NEW_NUMBER, OnEditNewNumber)
    ON_COMMAND(ID_EDIT_NEW_STRING, OnEditNewString)
    ON_COMMAND(ID_EDIT_NEW_MULTISTRING, OnEditNewMultiString)
    ON_COMMAND(ID_EDIT_NEW_BINARY, OnEditNewBinary)
    ON_COMMAND(ID_EDIT_MODIFY, OnEditModify)
    ON_COMMAND(ID_EDIT_RENAME, OnEditRename)
    ON_COMMAND(ID_EDIT_DELETE, OnEditDelete)
    ON_COMMAND(ID_VIEW_REFRESH, OnViewRefresh)
    ON_UPDATE_COMMAND_UI(ID_EDIT_NEW_KEY, OnUpdateKeySelected)
    ON_UPDATE_COMMAND_UI(ID_EDIT_NEW_NUMBER, OnUpdateKeySelected)
    ON_UPDATE_COMMAND_UI(ID_EDIT_NEW_STRING, OnUpdateKeySelected)
    ON_UPDATE_COMMAND_UI(ID_EDIT_NEW_MULTISTRING, OnUpdateKeySelected)
    ON_UPDATE_COMMAND_UI(ID_EDIT_NEW_BINARY, OnUpdateKeySelected)
    ON_UPDATE_COMMAND_UI(ID_EDIT_MODIFY, OnUpdateValueSelected)
    ON_UPDATE_COMMAND_UI(ID_EDIT_RENAME, OnUpdateValueSelected)
    ON_COMMAND(ID_EDIT_FIND, OnEditFind)
    ON_COMMAND(ID_EDIT_FIND_NEXT, OnEditFindNext)
    ON_UPDATE_COMMAND_UI(ID_EDIT_FIND_NEXT, OnUpdateEditFindNext)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() = default;

CMainFrame::~CMainFrame() = default;

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
    return CFrameWnd::PreCreateWindow(cs) ? TRUE : FALSE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;

    m_wndCommandBar.m_bShowSharedNewButton = FALSE;
    // A frame created again replaces the copy of the last one; the bar keeps
    // copies of its own.
    delete[] g_toolTips[0];
    g_toolTips[0] = LoadToolTip(IDS_TIP_MODIFY);

    if (m_wndCommandBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM,
                               AFX_IDW_TOOLBAR)) {
        if (m_wndCommandBar.InsertMenuBar(IDR_MAINFRAME, 0xFFFF))
            m_wndCommandBar.AddAdornments(0);
    }
    if (!m_wndCommandBar.LoadToolBar(IDR_MAINFRAME)) return -1;
    if (!m_wndCommandBar.SendMessage(TB_SETTOOLTIPS, kToolTipCount,
                                     reinterpret_cast<LPARAM>(g_toolTips)))
        return -1;
    m_wndCommandBar.SetBarStyle(m_wndCommandBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY |
                                CBRS_SIZE_FIXED);
    return 0;
}

BOOL CMainFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
    if (!m_wndSplitter.CreateStatic(this, 2, 1, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST))
        return FALSE;
    // The values list is created first, so it is the document's first view.
    if (!m_wndSplitter.CreateView(kValuesRow, 0, RUNTIME_CLASS(CDetailsView), kInitialPaneSize,
                                  pContext))
        return FALSE;
    if (!m_wndSplitter.CreateView(kKeysRow, 0, RUNTIME_CLASS(CBrackwellView), kInitialPaneSize,
                                  pContext))
        return FALSE;
    m_wndSplitter.SetActivePane(kKeysRow, 0);
    return TRUE;
}

void CMainFrame::ActivateValuesPane() {
    m_wndSplitter.SetActivePane(kValuesRow, 0);
    CDocument* pDoc = GetActiveDocument();
    POSITION pos = pDoc->GetFirstViewPosition();
    pDoc->GetNextView(pos)->SetFocus();
}

void CMainFrame::ActivateKeysPane() {
    m_wndSplitter.SetActivePane(kKeysRow, 0);
    CDocument* pDoc = GetActiveDocument();
    POSITION pos = pDoc->GetFirstViewPosition();
    pDoc->GetNextView(pos);
    pDoc->GetNextView(pos)->SetFocus();
}
