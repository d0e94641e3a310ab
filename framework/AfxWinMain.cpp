// The framework's main routine and the start-up used by tests.

#include <QApplication>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "framework/AfxMessageBox.h"
#include "framework/AfxResources.h"
#include "framework/CWinApp.h"

namespace {

std::string Utf8(const CString& text) { return text.ToQString().toStdString(); }

std::string ProgramName(const char* argv0) {
    return argv0 ? QFileInfo(QString::fromLocal8Bit(argv0)).fileName().toStdString() : "brackwell";
}

void PrintUsage(std::FILE* out, const std::string& program) {
    std::fprintf(out, "usage: %s [--help] [--version] [Qt options such as -platform NAME]\n", program.c_str());
}

void PrintVersion() {
    const AfxVersionInfo* info = AfxResources::GetVersionInfo();
    const CString name = info ? CString(info->QueryValue(u"ProductName")) : CString();
    const CString version = info ? CString(info->QueryValue(u"ProductVersion")) : CString();
    std::printf("%s %s\n", Utf8(name).c_str(), Utf8(version).c_str());
}

bool IsSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value;
}

// Whether Qt will find something to show windows on, so a missing display
// is reported in one line instead of by Qt aborting.
bool HasUsableDisplay(int argc, char* argv[]) {
    std::string platforms;
    bool displayArgument = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "-platform" || arg == "--platform") && i + 1 < argc) platforms = argv[++i];
        else if (arg.rfind("-platform=", 0) == 0) platforms = arg.substr(10);
        else if (arg == "-display" || arg == "--display") displayArgument = true;
    }
    if (platforms.empty() && IsSet("QT_QPA_PLATFORM")) platforms = std::getenv("QT_QPA_PLATFORM");
    const bool x11 = displayArgument || IsSet("DISPLAY");
    const bool wayland = IsSet("WAYLAND_DISPLAY");
    if (platforms.empty()) return x11 || wayland;
    std::size_t start = 0;
    while (start <= platforms.size()) {
        const std::size_t end = std::min(platforms.find(';', start), platforms.size());
        std::string name = platforms.substr(start, end - start);
        name = name.substr(0, name.find(':'));
        if (name == "xcb" ? x11 : (name.rfind("wayland", 0) == 0 ? wayland : !name.empty())) return true;
        start = end + 1;
    }
    return false;
}

}  // namespace

int AfxWinMain(int argc, char* argv[], std::function<bool(CString& error)> startDevice) {
    const std::string program = ProgramName(argc > 0 ? argv[0] : nullptr);
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            PrintUsage(stdout, program);
            return 0;
        }
        if (!std::strcmp(argv[i], "--version")) {
            PrintVersion();
            return 0;
        }
    }
    if (!HasUsableDisplay(argc, argv)) {
        std::fprintf(stderr,
                     "%s: no display to open a window on (DISPLAY and WAYLAND_DISPLAY are unset); "
                     "run it under xvfb-run, or with -platform offscreen or -platform vnc\n",
                     program.c_str());
        return 2;
    }

    int qtArgc = argc;
    QApplication application(qtArgc, argv);
    application.setQuitOnLastWindowClosed(false);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1) {
        std::fprintf(stderr, "%s: unknown argument '%s'\n", program.c_str(), arguments[1].toLocal8Bit().constData());
        PrintUsage(stderr, program);
        return 1;
    }
    CWinApp* app = AfxGetApp();
    if (!app) {
        std::fprintf(stderr, "%s: no application object\n", program.c_str());
        return 1;
    }
    app->Startup();

    if (startDevice) {
        CString error;
        if (!startDevice(error)) {
            std::fprintf(stderr, "%s: %s\n", program.c_str(), Utf8(error).c_str());
            const QString platform = QGuiApplication::platformName();
            if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal"))
                AfxMessageBox(error, MB_OK | MB_ICONHAND);
            return 1;
        }
    }

    int status = 0;
    if (!app->InitInstance()) {
        app->ExitInstance();
        status = 1;
    } else {
        if (app->m_pMainWnd) application.exec();
        status = app->ExitInstance();
    }
    app->Terminate();
    return status;
}

BOOL AfxWinInitForTests() {
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "brackwell-tests";
        static char* argv[] = {name, nullptr};
        static QApplication* application = new QApplication(argc, argv);
        application->setQuitOnLastWindowClosed(false);
    }
    CWinApp* app = AfxGetApp();
    if (!app) return FALSE;
    app->Startup();
    return app->InitInstance();
}

void AfxWinTermForTests() {
    CWinApp* app = AfxGetApp();
    if (!app) return;
    app->ExitInstance();
    app->Terminate();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
