#pragma once
// The application object: registers the document template and opens the
// main window at start-up.

#include "framework/CWinApp.h"

class CBrackwellApp : public CWinApp {
public:
    CBrackwellApp();

    BOOL InitInstance() override;

protected:
    void OnAppAbout();

    DECLARE_MESSAGE_MAP()
};

extern CBrackwellApp theApp;
