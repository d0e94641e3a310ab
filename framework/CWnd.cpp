#include "framework/CWnd.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <limits>

#include "framework/AfxIdleHook.h"
#include "framework/AfxMessageBox.h"
#include "framework/AfxWindowLink.h"
#include "framework/CFrameWnd.h"
#include "framework/CTestCmdUI.h"
#include "framework/CWinApp.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

namespace {

void CollectWindows(QWidget* widget, std::vector<CWnd*>& out) {
    if (AfxWindowLink* link = AfxWindowLink::Of(widget))
        if (link->Primary()) out.push_back(link->Primary());
    for (QObject* child : widget->children())
        if (child->isWidgetType()) CollectWindows(static_cast<QWidget*>(child), out);
}

// Windows' label rule: "&&" shows '&', a lone '&' marks a mnemonic and is
// not shown.
QString WithoutMnemonics(const QString& text) {
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&') {
            if (i + 1 < text.size() && text[i + 1] == u'&') shown += u'&';
            else continue;
            ++i;
        } else {
            shown += text[i];
        }
    }
    return shown;
}

// Reads a decimal integer with optional blanks around it; false when the
// text is anything else or out of range.
bool ParseInteger(const QString& text, bool allowSign, std::int64_t low, std::int64_t high,
                  std::int64_t& value) {
    qsizetype i = 0;
    auto blank = [&](qsizetype k) { return text[k] == u' ' || text[k] == u'\t'; };
    while (i < text.size() && blank(i)) ++i;
    bool negative = false;
    if (allowSign && i < text.size() && text[i] == u'-') {
        negative = true;
        ++i;
    }
    const qsizetype digitsStart = i;
    std::int64_t magnitude = 0;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
        magnitude = magnitude * 10 + (text[i].unicode() - u'0');
        if (magnitude > std::int64_t(1) << 33) return false;
        ++i;
    }
    if (i == digitsStart) return false;
    while (i < text.size() && blank(i)) ++i;
    if (i != text.size()) return false;
    value = negative ? -magnitude : magnitude;
    return value >= low && value <= high;
}

}  // namespace

CWnd::CWnd() = default;

CWnd::DeletionWatch::DeletionWatch(CWnd* pWnd) : m_pWnd(pWnd) { pWnd->m_pWatch = this; }

CWnd::DeletionWatch::~DeletionWatch() {
    if (!m_bDeleted) m_pWnd->m_pWatch = nullptr;
}

CWnd::~CWnd() {
    if (m_pWatch) m_pWatch->m_bDeleted = true;
    if (!m_pLink) return;
    AfxWindowLink* link = m_pLink;
    QWidget* widget = m_hWnd;
    link->Release(this);
    m_pLink = nullptr;
    m_hWnd = nullptr;
    if (m_bOwnsWidget && widget) {
        link->Mute();
        delete widget;
    }
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    for (QWidget* w = hWnd; w; w = w->parentWidget())
        if (AfxWindowLink* link = AfxWindowLink::Of(w))
            if (link->Primary()) return link->Primary();
    return nullptr;
}

BOOL CWnd::Attach(HWND hWnd) {
    if (!hWnd || m_hWnd) return FALSE;
    if (AfxWindowLink* link = AfxWindowLink::Of(hWnd)) {
        link->AddAlias(this);
        m_pLink = link;
    } else {
        m_pLink = new AfxWindowLink(hWnd, this);
    }
    m_hWnd = hWnd;
    m_bOwnsWidget = FALSE;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hWnd = m_hWnd;
    if (m_pLink) m_pLink->Release(this);
    m_pLink = nullptr;
    m_hWnd = nullptr;
    m_bOwnsWidget = FALSE;
    return hWnd;
}

void CWnd::AttachOwned(HWND hWnd) {
    m_pLink = new AfxWindowLink(hWnd, this);
    m_hWnd = hWnd;
    m_bOwnsWidget = TRUE;
}

BOOL CWnd::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID,
                    pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
    if (m_hWnd) return FALSE;
    CREATESTRUCT cs{};
    cs.lpCreateParams = lpParam;
    cs.hInstance = AfxGetInstanceHandle();
    cs.hwndParent = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    // CW_USEDEFAULT in the position leaves position and size to the window.
    const bool byDefault = rect.left == CW_USEDEFAULT;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = byDefault ? CW_USEDEFAULT : int(std::int64_t(rect.right) - rect.left);
    cs.cy = byDefault ? CW_USEDEFAULT : int(std::int64_t(rect.bottom) - rect.top);
    cs.style = LONG(dwStyle);
    cs.lpszName = lpszWindowName;
    cs.lpszClass = lpszClassName;
    cs.dwExStyle = dwExStyle;
    if (!PreCreateWindow(cs)) return FALSE;

    m_dwStyle = DWORD(cs.style);
    m_nID = nID;
    m_pParentWnd = pParentWnd;
    HWND widget = CreateWidget(cs);
    if (!widget) return FALSE;
    AttachOwned(widget);
    widget->setProperty("controlId", nID);
    if (cs.cx > 0 && cs.cy > 0 && cs.cx != CW_USEDEFAULT && cs.cy != CW_USEDEFAULT) {
        if (cs.hwndParent) widget->setGeometry(cs.x, cs.y, cs.cx, cs.cy);
        else widget->resize(cs.cx, cs.cy);
    }
    if (cs.lpszName) SetWindowText(cs.lpszName);

    AFX_MSGPARAMS params;
    params.lpCreateStruct = &cs;
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(AfxSig::Create, 0, 0);
    const LRESULT created = entry ? entry->pfn(this, params) : OnCreate(&cs);
    if (created == -1) {
        DestroyWindow();
        return FALSE;
    }
    if (m_hWnd && m_hWnd->parentWidget()) m_hWnd->setVisible((m_dwStyle & WS_VISIBLE) != 0);
    return m_hWnd != nullptr;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT&) { return TRUE; }

HWND CWnd::CreateWidget(CREATESTRUCT& cs) {
    return new QWidget(cs.hwndParent, cs.hwndParent ? Qt::WindowFlags() : Qt::Window);
}

BOOL CWnd::OnWidgetEvent(QEvent*) { return FALSE; }

void CWnd::DispatchDestroy() {
    AFX_MSGPARAMS params;
    if (const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(AfxSig::Destroy, 0, 0))
        entry->pfn(this, params);
    else
        OnDestroy();
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd || m_bDestroying) return FALSE;
    std::vector<CWnd*> windows;
    CollectWindows(m_hWnd, windows);
    if (windows.empty() || windows.front() != this) windows.insert(windows.begin(), this);
    for (CWnd* wnd : windows) wnd->m_bDestroying = TRUE;
    for (CWnd* wnd : windows) wnd->DispatchDestroy();

    QWidget* widget = m_hWnd;
    for (CWnd* wnd : windows)
        if (wnd->m_pLink) wnd->m_pLink->Mute();
    widget->hide();
    delete widget;  // the links clear every attached object's handle

    CWinApp* app = AfxGetApp();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        CWnd* wnd = *it;
        wnd->m_bDestroying = FALSE;
        if (app && app->m_pMainWnd == wnd) {
            app->m_pMainWnd = nullptr;
            QCoreApplication::quit();
        }
        wnd->PostNcDestroy();
    }
    return TRUE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return WindowProc(message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_pLink) return FALSE;
    AfxWindowLink* link = m_pLink;
    QMetaObject::invokeMethod(
        link,
        [link, this, message, wParam, lParam] {
            if (link->Primary() == this) SendMessage(message, wParam, lParam);
        },
        Qt::QueuedConnection);
    return TRUE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: OnCommand(wParam, lParam); return 0;
        case WM_CLOSE: OnClose(); return 0;
        case WM_NOTIFY: {
            LRESULT result = 0;
            OnNotify(wParam, lParam, &result);
            return result;
        }
        default: return 0;
    }
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT nID = LOWORD(wParam);
    const int nCode = HIWORD(wParam);
    if (lParam == 0) {
        // A command from a menu, an accelerator or code runs only while enabled.
        CTestCmdUI state(nID);
        OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled) return TRUE;
    }
    const BOOL handled = OnCmdMsg(nID, nCode, nullptr, nullptr);
    // The command may have changed what is enabled. The pass its input asked
    // for may already have run, inside a dialog the command opened, so ask
    // for another once the command is done.
    if (handled) AfxIdleHook::Request();
    return handled;
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(AfxSig::Notify, pNMHDR->code, UINT(pNMHDR->idFrom));
    if (!entry) return FALSE;
    AFX_MSGPARAMS params;
    params.pNMHDR = pNMHDR;
    params.pResult = pResult;
    entry->pfn(this, params);
    return TRUE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* pResult) {
    if (message != WM_NOTIFY) return FALSE;
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(AfxSig::NotifyReflect, pNMHDR->code, 0);
    if (!entry) return FALSE;
    AFX_MSGPARAMS params;
    params.pNMHDR = pNMHDR;
    params.pResult = pResult;
    entry->pfn(this, params);
    return TRUE;
}

LRESULT CWnd::SendNotify(NMHDR* pNMHDR) {
    pNMHDR->hwndFrom = m_hWnd;
    pNMHDR->idFrom = m_nID;
    LRESULT result = 0;
    const LPARAM lParam = reinterpret_cast<LPARAM>(pNMHDR);
    if (OnChildNotify(WM_NOTIFY, m_nID, lParam, &result)) return result;
    if (m_pParentWnd) m_pParentWnd->OnNotify(m_nID, lParam, &result);
    return result;
}

void CWnd::OnClose() { DestroyWindow(); }

void CWnd::PostNcDestroy() {}

int CWnd::OnCreate(LPCREATESTRUCT) { return 0; }

void CWnd::OnDestroy() {}

BOOL CWnd::ShowWindow(int nCmdShow) {
    if (!m_hWnd) return FALSE;
    const BOOL wasVisible = m_hWnd->isVisible();
    if (nCmdShow == SW_HIDE) {
        m_hWnd->hide();
    } else {
        m_hWnd->show();
        if (m_hWnd->isWindow()) m_hWnd->activateWindow();
    }
    return wasVisible;
}

void CWnd::UpdateWindow() {
    if (m_hWnd) m_hWnd->repaint();
}

BOOL CWnd::IsWindowVisible() const { return m_hWnd && m_hWnd->isVisible(); }

CWnd* CWnd::SetFocus() {
    CWnd* previous = GetFocus();
    if (m_hWnd) m_hWnd->setFocus(Qt::OtherFocusReason);
    return previous;
}

CWnd* CWnd::GetFocus() { return FromHandle(QApplication::focusWidget()); }

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
    if (!m_hWnd) return;
    CWnd* owner = pAlternateOwner ? pAlternateOwner : m_pParentWnd;
    if (!owner) owner = AfxGetMainWnd();
    QRect area;
    if (owner && owner != this && owner->m_hWnd && owner->m_hWnd->isVisible())
        area = owner->m_hWnd->window()->geometry();
    else if (QScreen* screen = m_hWnd->screen() ? m_hWnd->screen() : QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isEmpty()) return;
    const QSize size = m_hWnd->size();
    m_hWnd->move(area.center().x() - size.width() / 2, area.center().y() - size.height() / 2);
}

void CWnd::SetWindowText(LPCWSTR lpszString) {
    if (!m_hWnd) return;
    const QString text = CString(lpszString).ToQString();
    if (auto* edit = qobject_cast<QLineEdit*>(m_hWnd)) {
        edit->setText(text);
    } else if (auto* multi = qobject_cast<QPlainTextEdit*>(m_hWnd)) {
        QString plain = text;
        plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        multi->setPlainText(plain);
    } else if (auto* button = qobject_cast<QAbstractButton*>(m_hWnd)) {
        button->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(m_hWnd)) {
        label->setProperty("afxText", text);
        label->setText((m_dwStyle & SS_NOPREFIX) ? text : WithoutMnemonics(text));
    } else {
        m_hWnd->setWindowTitle(text);
    }
}

void CWnd::GetWindowText(CString& rString) const {
    QString text;
    if (!m_hWnd) {
    } else if (auto* edit = qobject_cast<QLineEdit*>(m_hWnd)) {
        text = edit->text();
    } else if (auto* multi = qobject_cast<QPlainTextEdit*>(m_hWnd)) {
        text = multi->toPlainText();
        text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    } else if (auto* button = qobject_cast<QAbstractButton*>(m_hWnd)) {
        text = button->text();
    } else if (auto* label = qobject_cast<QLabel*>(m_hWnd)) {
        text = label->property("afxText").toString();
    } else {
        text = m_hWnd->windowTitle();
    }
    rString = CString::FromQString(text);
}

int CWnd::GetWindowTextLength() const {
    CString text;
    GetWindowText(text);
    return text.GetLength();
}

CFrameWnd* CWnd::GetParentFrame() const {
    for (CWnd* wnd = m_pParentWnd; wnd; wnd = wnd->m_pParentWnd)
        if (wnd->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return static_cast<CFrameWnd*>(wnd);
    return nullptr;
}

CWnd* CWnd::GetDlgItem(int nID) const {
    if (!m_hWnd) return nullptr;
    for (QWidget* child : m_hWnd->findChildren<QWidget*>())
        if (AfxWindowLink* link = AfxWindowLink::Of(child))
            if (link->Primary() && int(link->Primary()->m_nID) == nID) return link->Primary();
    return nullptr;
}

void CWnd::SetDlgItemText(int nID, LPCWSTR lpszString) {
    if (CWnd* item = GetDlgItem(nID)) item->SetWindowText(lpszString);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const {
    rString.Empty();
    if (CWnd* item = GetDlgItem(nID)) item->GetWindowText(rString);
    return rString.GetLength();
}

void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned) {
    CString text;
    if (bSigned) text.Format(u"%d", int(nValue));
    else text.Format(u"%u", nValue);
    SetDlgItemText(nID, text);
}

UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const {
    CString text;
    GetDlgItemText(nID, text);
    std::int64_t value = 0;
    const bool ok = bSigned ? ParseInteger(text.ToQString(), true, std::numeric_limits<std::int32_t>::min(),
                                           std::numeric_limits<std::int32_t>::max(), value)
                            : ParseInteger(text.ToQString(), false, 0,
                                           std::numeric_limits<std::uint32_t>::max(), value);
    if (lpTrans) *lpTrans = ok;
    return ok ? UINT(std::uint32_t(value)) : 0;
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck) {
    if (CWnd* item = GetDlgItem(nIDButton))
        if (auto* button = qobject_cast<QAbstractButton*>(item->m_hWnd))
            button->setChecked(nCheck == BST_CHECKED);
}

UINT CWnd::IsDlgButtonChecked(int nIDButton) const {
    if (CWnd* item = GetDlgItem(nIDButton))
        if (auto* button = qobject_cast<QAbstractButton*>(item->m_hWnd))
            return button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
    return BST_UNCHECKED;
}

int CWnd::MessageBox(LPCWSTR lpszText, LPCWSTR lpszCaption, UINT nType) {
    return AfxShowMessageBox(this, lpszText, lpszCaption ? lpszCaption : u"Error", nType);
}
