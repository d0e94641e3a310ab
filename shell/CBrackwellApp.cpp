#include "shell/CBrackwellApp.h"

#include <memory>

#include "dialogs/CAboutDlg.h"
#include "document/CBrackwellDoc.h"
#include "framework/CSingleDocTemplate.h"
#include "resources/resource.h"
#include "shell/CBrackwellView.h"
#include "shell/CMainFrame.h"

CBrackwellApp theApp;

BEGIN_MESSAGE_MAP(CBrackwellApp, CWinApp)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

CBrackwellApp::CBrackwellApp() : CWinApp(nullptr) {}

BOOL CBrackwellApp::InitInstance() {
    SetRegistryKey(u"Local AppWizard-Generated Applications");
    LoadStdProfileSettings(4);
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CBrackwellDoc),
                                          RUNTIME_CLASS(CMainFrame),
                                          RUNTIME_CLASS(CBrackwellView)));
    auto cmdInfo = std::make_unique<CCommandLineInfo>();
    ParseCommandLine(*cmdInfo);
    if (!ProcessShellCommand(*cmdInfo)) return FALSE;
    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    return TRUE;
}

void CBrackwellApp::OnAppAbout() {
    CAboutDlg dlg;
    dlg.DoModal();
}
