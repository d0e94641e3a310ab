// Saves a PNG of every dialog at its template size, filled as the commands
// fill it, into the folder given (default: the current one).
// Usage: QT_QPA_PLATFORM=offscreen dialog_screenshots [FOLDER]

#include <QCoreApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>
#include <cstdio>
#include <functional>

#include "dialogs/CAboutDlg.h"
#include "dialogs/CBinaryDlg.h"
#include "dialogs/CFindDlg.h"
#include "dialogs/CMultiStringDlg.h"
#include "dialogs/CNewKeyDlg.h"
#include "dialogs/CNumberDlg.h"
#include "dialogs/CStringDlg.h"
#include "framework/CWinApp.h"
#include "resources/resources.h"

namespace {

int g_nFailures = 0;

void Shoot(CDialog& dlg, const QDir& folder, const char* name) {
    dlg.m_bFullScreen = FALSE;
    AfxSetModalDialogDriver([&](CDialog& live) -> INT_PTR {
        const QString path = folder.filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
        // The byte list lays its items out from the event loop; until then
        // it shows neither the layout a person sees nor its scroll bar.
        QCoreApplication::processEvents();
        const QPixmap shot = live.m_hWnd->grab();
        if (shot.save(path)) {
            std::printf("%s  %dx%d\n", qPrintable(path), shot.width(), shot.height());
        } else {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            ++g_nFailures;
        }
        live.EndDialog(IDCANCEL);
        return IDCANCEL;
    });
    dlg.DoModal();
    AfxSetModalDialogDriver({});
}

}  // namespace

int main(int argc, char* argv[]) {
    AfxWinInitForTests();
    brackwell::resources::Register();
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(folder.path()));
        return 1;
    }

    CAboutDlg about;
    Shoot(about, folder, "about");

    CNewKeyDlg key;
    Shoot(key, folder, "new-key");

    CStringDlg text(u"Enter new string", u"", u"");
    Shoot(text, folder, "string-new");
    CStringDlg modify(u"Modify string", u"Owner", u"Handheld user");
    Shoot(modify, folder, "string-modify");

    CNumberDlg number(u"Enter new number", u"", 0);
    Shoot(number, folder, "number-new");

    CStringList lines;
    lines.AddTail(u"\\Windows");
    lines.AddTail(u"\\Program Files");
    lines.AddTail(u"\\My Documents");
    CMultiStringDlg multi(u"Modify multi string", u"Path", &lines);
    Shoot(multi, folder, "multi-string");

    BYTE bytes[40];
    for (int i = 0; i < 40; ++i) bytes[i] = BYTE(i * 7);
    CBinaryDlg binary(u"Modify binary value", u"Calibration", bytes, sizeof bytes);
    Shoot(binary, folder, "binary");

    CFindDlg find{SearchSettings{}};
    Shoot(find, folder, "find");

    return g_nFailures == 0 ? 0 : 1;
}
