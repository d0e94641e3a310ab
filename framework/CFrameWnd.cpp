#include "framework/CFrameWnd.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QKeySequence>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QWidget>
#include <algorithm>
#include <vector>

#include "framework/AfxActionCmdUI.h"
#include "framework/AfxResources.h"
#include "framework/CDocument.h"
#include "framework/CSplitterWnd.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_COMMAND(ID_NEXT_PANE, OnNextPane)
    ON_COMMAND(ID_PREV_PANE, OnPrevPane)
    ON_UPDATE_COMMAND_UI(ID_NEXT_PANE, OnUpdateNextPane)
    ON_UPDATE_COMMAND_UI(ID_PREV_PANE, OnUpdateNextPane)
END_MESSAGE_MAP()

class AfxFrameState {
public:
    CView* pActiveView = nullptr;
    CDocument* pDocument = nullptr;
    std::vector<CWnd*> controlBars;
};

namespace {

// The handheld's main window: portrait, 3:4.
constexpr int kDefaultWidth = 360;
constexpr int kDefaultHeight = 480;

// Keys typed into an edit field are the field's: an accelerator must not
// turn Delete, F2 or Enter into a command while a name is being typed.
bool IsTypingIntoAField() {
    const QWidget* focus = QApplication::focusWidget();
    return qobject_cast<const QLineEdit*>(focus) || qobject_cast<const QPlainTextEdit*>(focus);
}

int QtKey(WORD vk) {
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return vk;
    if (vk >= VK_F1 && vk <= VK_F1 + 23) return Qt::Key_F1 + (vk - VK_F1);
    switch (vk) {
        case VK_BACK: return Qt::Key_Backspace;
        case VK_INSERT: return Qt::Key_Insert;
        case VK_DELETE: return Qt::Key_Delete;
        default: return 0;
    }
}

}  // namespace

CFrameWnd::CFrameWnd() : m_pState(std::make_unique<AfxFrameState>()) {}

CFrameWnd::~CFrameWnd() = default;

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                          CCreateContext* pContext) {
    CString title(AfxResources::FindString(nIDResource));
    if (const int end = title.Find(u'\n'); end >= 0) title = title.Left(end);
    m_pState->pDocument = pContext ? pContext->m_pCurrentDoc : nullptr;
    const RECT rect{CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};
    if (!CreateEx(0, nullptr, title, dwDefaultStyle, rect, pParentWnd, 0, pContext)) return FALSE;

    QIcon icon;
    for (std::string_view xpm : AfxResources::FindIcon(nIDResource)) {
        QPixmap pixmap;
        if (pixmap.loadFromData(reinterpret_cast<const uchar*>(xpm.data()), uint(xpm.size()), "XPM"))
            icon.addPixmap(pixmap);
    }
    if (!icon.isNull()) m_hWnd->setWindowIcon(icon);
    LoadAccelTable(nIDResource);
    return TRUE;
}

void CFrameWnd::LoadAccelTable(UINT nIDResource) {
    const std::vector<ACCEL>* table = AfxResources::FindAccelerators(nIDResource);
    if (!table) return;
    for (const ACCEL& accel : *table) {
        const int key = QtKey(accel.key);
        if (!(accel.fVirt & FVIRTKEY) || !key) continue;
        int modifiers = 0;
        if (accel.fVirt & FSHIFT) modifiers |= Qt::ShiftModifier;
        if (accel.fVirt & FCONTROL) modifiers |= Qt::ControlModifier;
        if (accel.fVirt & FALT) modifiers |= Qt::AltModifier;
        auto* shortcut = new QShortcut(QKeySequence(key | modifiers), m_hWnd);
        shortcut->setContext(Qt::WindowShortcut);
        shortcut->setProperty("commandId", UINT(accel.cmd));
        const UINT id = accel.cmd;
        QObject::connect(shortcut, &QShortcut::activated, shortcut, [this, id] {
            if (!IsTypingIntoAField()) SendMessage(WM_COMMAND, id);
        });
    }
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.cx == CW_USEDEFAULT || cs.cx <= 0 || cs.cy == CW_USEDEFAULT || cs.cy <= 0) {
        cs.cx = kDefaultWidth;
        cs.cy = kDefaultHeight;
    }
    return TRUE;
}

HWND CFrameWnd::CreateWidget(CREATESTRUCT& cs) {
    auto* widget = new QWidget(cs.hwndParent, Qt::Window);
    widget->setMinimumSize(120, 160);
    return widget;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    auto* context = static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams);
    if (!OnCreateClient(lpCreateStruct, context)) return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext*) { return TRUE; }

void CFrameWnd::OnDestroy() { m_pState->pActiveView = nullptr; }

void CFrameWnd::OnClose() {
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        app->CloseAllDocuments(FALSE);
        if (!app->m_pMainWnd) return;  // closing the documents destroyed this frame
    }
    DestroyWindow();
}

void CFrameWnd::PostNcDestroy() { delete this; }

BOOL CFrameWnd::OnWidgetEvent(QEvent* pEvent) {
    switch (pEvent->type()) {
        case QEvent::Resize: RecalcLayout(); return FALSE;
        case QEvent::Close:
            // Closed from outside (window manager): close as WM_CLOSE does,
            // once the event has been handled.
            pEvent->ignore();
            PostMessage(WM_CLOSE);
            return TRUE;
        default: return FALSE;
    }
}

CDocument* CFrameWnd::GetActiveDocument() {
    if (m_pState->pActiveView && m_pState->pActiveView->GetDocument())
        return m_pState->pActiveView->GetDocument();
    return m_pState->pDocument;
}

CView* CFrameWnd::GetActiveView() const { return m_pState->pActiveView; }

void CFrameWnd::SetActiveView(CView* pViewNew) { m_pState->pActiveView = pViewNew; }

void CFrameWnd::AddControlBar(CWnd* pBar) {
    m_pState->controlBars.push_back(pBar);
    RecalcLayout();
}

CWnd* CFrameWnd::ClientWindow() const {
    if (!m_hWnd) return nullptr;
    for (QObject* child : m_hWnd->children()) {
        if (!child->isWidgetType()) continue;
        CWnd* wnd = FromHandle(static_cast<QWidget*>(child));
        if (wnd && wnd != this && wnd->GetDlgCtrlID() == int(AFX_IDW_PANE_FIRST)) return wnd;
    }
    return nullptr;
}

void CFrameWnd::RecalcLayout() {
    if (!m_hWnd) return;
    const int width = m_hWnd->width();
    int top = 0;
    auto& bars = m_pState->controlBars;
    bars.erase(std::remove_if(bars.begin(), bars.end(), [](CWnd* bar) { return !bar->m_hWnd; }), bars.end());
    for (CWnd* bar : bars) {
        if (bar->m_hWnd->isHidden()) continue;
        const int height = bar->m_hWnd->sizeHint().height();
        bar->m_hWnd->setGeometry(0, top, width, height);
        top += height;
    }
    if (CWnd* client = ClientWindow())
        client->m_hWnd->setGeometry(0, top, width, std::max(0, m_hWnd->height() - top));
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) {
    if (pDoc) {
        std::vector<CView*> views;
        for (POSITION pos = pDoc->GetFirstViewPosition(); pos;) views.push_back(pDoc->GetNextView(pos));
        if (!GetActiveView() && !views.empty()) SetActiveView(views.front());
        for (CView* view : views) view->OnInitialUpdate();
    }
    if (bMakeVisible) ShowWindow(SW_SHOW);
    OnIdleUpdateCmdUI();
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::OnIdleUpdateCmdUI() {
    if (!m_hWnd) return;
    for (QAction* action : m_hWnd->findChildren<QAction*>()) {
        if (!action->property("commandId").isValid()) continue;
        AfxActionCmdUI item(action);
        item.DoUpdate(this, TRUE);
    }
}

void CFrameWnd::OnNextPane() {
    if (auto* splitter = dynamic_cast<CSplitterWnd*>(ClientWindow())) splitter->ActivateNext(FALSE);
}

void CFrameWnd::OnPrevPane() {
    if (auto* splitter = dynamic_cast<CSplitterWnd*>(ClientWindow())) splitter->ActivateNext(TRUE);
}

void CFrameWnd::OnUpdateNextPane(CCmdUI* pCmdUI) {
    auto* splitter = dynamic_cast<CSplitterWnd*>(ClientWindow());
    pCmdUI->Enable(splitter && splitter->GetRowCount() * splitter->GetColumnCount() > 1);
}
