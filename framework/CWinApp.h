#pragma once
// The application object (exactly one, usually a global), its start-up and
// the framework's main routine.

#include <functional>
#include <memory>
#include <vector>

#include "framework/CCmdTarget.h"
#include "framework/CCommandLineInfo.h"
#include "framework/CString.h"

class CWnd;
class CDocTemplate;

class CWinApp : public CCmdTarget {
    DECLARE_DYNAMIC(CWinApp)
public:
    // Null lpszAppName: the name of the program file.
    explicit CWinApp(LPCWSTR lpszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // The idle pass: runs the main window's command-update pass. Returns
    // FALSE (no more idle work).
    virtual BOOL OnIdle(LONG lCount);

    // Names the key the profile settings live under.
    void SetRegistryKey(LPCWSTR lpszRegistryKey);
    // Reads the recent-file list (nMaxMRU entries) from the profile.
    void LoadStdProfileSettings(UINT nMaxMRU = 4);

    // The application owns the template from then on.
    void AddDocTemplate(CDocTemplate* pTemplate);
    // The main routine has already answered or refused every argument the
    // platform did not take, so this leaves rCmdInfo asking for a new
    // document.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // FileNew: OnFileNew. FALSE when no main window resulted.
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    void CloseAllDocuments(BOOL bEndSession);

    // +1 begins, -1 ends the wait cursor (nestable; shown while > 0).
    virtual void DoWaitCursor(int nCode);
    int GetWaitCursorCount() const { return m_nWaitCursorCount; }

    CWnd* m_pMainWnd = nullptr;
    LPCWSTR m_pszAppName = nullptr;

    // Framework standard handlers; a program maps them in its own table,
    // e.g. ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew).
    void OnFileNew();
    // Documents have no files: nothing to open.
    void OnFileOpen();
    // Closes the main window.
    void OnAppExit();

protected:
    DECLARE_MESSAGE_MAP()

private:
    friend int AfxWinMain(int, char*[], std::function<bool(CString&)>);
    friend BOOL AfxWinInitForTests();
    friend void AfxWinTermForTests();
    // Names the application and installs the idle pass.
    void Startup();
    void Terminate();
    CString GetProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry) const;

    std::vector<std::unique_ptr<CDocTemplate>> m_templates;
    std::vector<CString> m_recentFiles;
    CString m_strAppName;
    CString m_strRegistryKey;
    int m_nWaitCursorCount = 0;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();

// Copies string resource uID into lpBuffer: at most cchBufferMax - 1
// characters and a terminator. Returns the characters copied, 0 if absent.
int LoadString(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax);

// The framework's main routine. Answers --help and --version, refuses other
// arguments the platform does not take, refuses to start without a usable
// display, then runs startDevice (its error goes to a message box and the
// status is 1), InitInstance and the event loop until the main window
// closes, and ExitInstance. Returns the process status.
int AfxWinMain(int argc, char* argv[], std::function<bool(CString& error)> startDevice = {});

// For tests: makes sure a QApplication exists and runs the application
// object's InitInstance without an event loop. AfxWinTermForTests closes the
// main window, documents and templates again, so a suite can build the
// frame once and tear it down.
BOOL AfxWinInitForTests();
void AfxWinTermForTests();
