#include "framework/CWinApp.h"

#include <QApplication>
#include <QCursor>
#include <QSettings>

#include "framework/AfxIdleHook.h"
#include "framework/AfxResources.h"
#include "framework/CDocTemplate.h"
#include "framework/CFrameWnd.h"

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

namespace {

CWinApp* g_pApp = nullptr;
char g_instanceTag;

}  // namespace

CWinApp::CWinApp(LPCWSTR lpszAppName) {
    if (!g_pApp) g_pApp = this;
    if (lpszAppName) {
        m_strAppName = lpszAppName;
        m_pszAppName = m_strAppName;
    }
}

CWinApp::~CWinApp() {
    if (g_pApp == this) g_pApp = nullptr;
}

CWinApp* AfxGetApp() { return g_pApp; }

CWnd* AfxGetMainWnd() { return g_pApp ? g_pApp->m_pMainWnd : nullptr; }

HINSTANCE AfxGetInstanceHandle() { return reinterpret_cast<HINSTANCE>(&g_instanceTag); }

int LoadString(HINSTANCE, UINT uID, LPWSTR lpBuffer, int cchBufferMax) {
    if (!lpBuffer || cchBufferMax <= 0) return 0;
    const CString text(AfxResources::FindString(uID));
    const int copied = std::min(text.GetLength(), cchBufferMax - 1);
    std::copy_n(static_cast<LPCWSTR>(text), copied, lpBuffer);
    lpBuffer[copied] = 0;
    return copied;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return 0; }

BOOL CWinApp::OnIdle(LONG) {
    if (auto* frame = dynamic_cast<CFrameWnd*>(m_pMainWnd)) frame->OnIdleUpdateCmdUI();
    return FALSE;
}

void CWinApp::SetRegistryKey(LPCWSTR lpszRegistryKey) { m_strRegistryKey = lpszRegistryKey; }

CString CWinApp::GetProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry) const {
    if (m_strRegistryKey.IsEmpty()) return CString();
    const QSettings settings(m_strRegistryKey.ToQString(), m_strAppName.ToQString());
    const QString key = CString(lpszSection).ToQString() + u'/' + CString(lpszEntry).ToQString();
    return CString::FromQString(settings.value(key).toString());
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) {
    m_recentFiles.clear();
    for (UINT i = 1; i <= nMaxMRU; ++i) {
        CString entry;
        entry.Format(u"File%u", i);
        const CString file = GetProfileString(u"Recent File List", entry);
        if (!file.IsEmpty()) m_recentFiles.push_back(file);
    }
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) { m_templates.emplace_back(pTemplate); }

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) { rCmdInfo.m_nShellCommand = CCommandLineInfo::FileNew; }

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo) {
    if (rCmdInfo.m_nShellCommand != CCommandLineInfo::FileNew) return FALSE;
    OnFileNew();
    return m_pMainWnd != nullptr;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession) {
    for (auto& docTemplate : m_templates) docTemplate->CloseAllDocuments(bEndSession);
}

void CWinApp::OnFileNew() {
    if (!m_templates.empty()) m_templates.front()->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen() {}

void CWinApp::OnAppExit() {
    if (m_pMainWnd) m_pMainWnd->PostMessage(WM_CLOSE);
}

void CWinApp::DoWaitCursor(int nCode) {
    if (nCode > 0) {
        ++m_nWaitCursorCount;
        if (qApp) QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    } else if (nCode < 0 && m_nWaitCursorCount > 0) {
        --m_nWaitCursorCount;
        if (qApp) QApplication::restoreOverrideCursor();
    }
}

void CWinApp::Startup() {
    if (m_strAppName.IsEmpty()) {
        m_strAppName = CString::FromQString(QCoreApplication::applicationName());
        m_pszAppName = m_strAppName;
    }
    AfxIdleHook::Install();
}

void CWinApp::Terminate() {
    CloseAllDocuments(TRUE);
    if (m_pMainWnd) m_pMainWnd->DestroyWindow();
    m_templates.clear();
    while (m_nWaitCursorCount > 0) DoWaitCursor(-1);
}
