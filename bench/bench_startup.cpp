// Times start-up as a person meets it: from process start to the first paint
// of the main window, with the default registry (seeded into a fresh
// temporary file) and Qt's offscreen platform. Optionally saves a picture of
// the window as it first appears.
// Usage: bench_startup [PNG_PATH]

#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "bench/bench_clock.h"
#include "framework/CWinApp.h"
#include "framework/CWnd.h"
#include "registry/default_registry_seed.h"
#include "registry/device_registry.h"
#include "resources/resources.h"

namespace {

using brackwell::bench::Clock;
using brackwell::bench::SecondsSince;

// Seconds since the kernel started this process (10 ms resolution).
double SecondsSinceProcessStart() {
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {}
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9 -
           std::stod(field) / double(sysconf(_SC_CLK_TCK));
}

class FirstPaint : public QObject {
public:
    FirstPaint(Clock::time_point mainEntered, std::string pngPath)
        : m_mainEntered(mainEntered), m_pngPath(std::move(pngPath)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        CWnd* main = AfxGetMainWnd();
        if (!m_done && event->type() == QEvent::Paint && main && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == main->GetSafeHwnd()) {
            m_done = true;
            const double sinceMain = SecondsSince(m_mainEntered);
            std::printf("first paint of the main window: %.3f s after process start, %.3f s after main\n",
                        SecondsSinceProcessStart(), sinceMain);
            QTimer::singleShot(0, [this] { Finish(); });
        }
        return false;
    }

private:
    void Finish() {
        CWnd* main = AfxGetMainWnd();
        if (!main) return;
        if (!m_pngPath.empty()) {
            const bool saved = main->GetSafeHwnd()->grab().save(QString::fromStdString(m_pngPath), "PNG");
            std::printf("%s %s\n", saved ? "saved" : "could not save", m_pngPath.c_str());
        }
        main->PostMessage(WM_CLOSE);
    }

    Clock::time_point m_mainEntered;
    std::string m_pngPath;
    bool m_done = false;
};

}  // namespace

int main(int argc, char* argv[]) {
    const auto mainEntered = Clock::now();
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::string folder = (std::filesystem::temp_directory_path() / "brackwell-start-XXXXXX").string();
    if (!mkdtemp(folder.data())) return 1;
    FirstPaint firstPaint(mainEntered, argc > 1 ? argv[1] : "");

    brackwell::resources::Register();
    char* programOnly[] = {argv[0], nullptr};
    const int status = AfxWinMain(1, programOnly, [&](CString& error) {
        using namespace brackwell;
        const registry::OpenResult opened = registry::OpenDeviceRegistry(
            folder + "/registry.sqlite3", registry::ReadDefaultRegistrySeed().text);
        if (!opened.ok) error = CString::FromQString(QString::fromStdString(opened.error));
        qApp->installEventFilter(&firstPaint);
        return opened.ok;
    });
    brackwell::registry::CloseDeviceRegistry();
    std::filesystem::remove_all(folder);
    return status;
}
