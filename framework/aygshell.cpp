#include "framework/aygshell.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QScreen>
#include <QWidget>

#include "framework/CWinApp.h"
#include "framework/CWnd.h"

namespace {

bool g_bSipUp = false;

}  // namespace

BOOL SHInitDialog(PSHINITDLGINFO pshidi) {
    if (!pshidi || !(pshidi->dwMask & SHIDIM_FLAGS) || !pshidi->hDlg) return FALSE;
    if (pshidi->dwFlags & (SHIDIF_SIZEDLG | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_FULLSCREENNOMENUBAR)) {
        QRect area;
        if (CWnd* main = AfxGetMainWnd(); main && main->m_hWnd) area = main->m_hWnd->geometry();
        else if (QScreen* screen = QGuiApplication::primaryScreen()) area = screen->availableGeometry();
        if (area.isEmpty()) return FALSE;
        pshidi->hDlg->setGeometry(area);
    }
    if (pshidi->dwFlags & SHIDIF_SIPDOWN) SHSipPreference(pshidi->hDlg, SIP_DOWN);
    return TRUE;
}

BOOL SHSipPreference(HWND, SIPSTATE st) {
    QInputMethod* inputMethod = QGuiApplication::inputMethod();
    switch (st) {
        case SIP_UP:
            g_bSipUp = true;
            if (inputMethod) inputMethod->show();
            return TRUE;
        case SIP_DOWN:
        case SIP_FORCEDOWN:
            g_bSipUp = false;
            if (inputMethod) inputMethod->hide();
            return TRUE;
        case SIP_UNCHANGED:
        case SIP_INPUTDIALOG: return TRUE;
    }
    return FALSE;
}

BOOL AfxIsSipUp() { return g_bSipUp; }
