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
    if (pshidi->dwFlags & SHIDIF_SIZEDLGFULLSCREEN) {
        QRect area;
        if (CWnd* main = AfxGetMainWnd(); main && main->m_hWnd) area = main->m_hWnd->geometry();
        else if (QScreen* screen = QGuiApplication::primaryScreen()) area = screen->availableGeometry();
        if (area.isEmpty()) return FALSE;
        pshidi->hDlg->setGeometry(area);
    }
    return TRUE;
}

BOOL SHSipPreference(HWND, SIPSTATE st) {
    g_bSipUp = st == SIP_UP;
    if (QInputMethod* inputMethod = QGuiApplication::inputMethod()) inputMethod->setVisible(g_bSipUp);
    return TRUE;
}

BOOL AfxIsSipUp() { return g_bSipUp; }
