// Times start-up as a person meets it: from process start to the first paint
// of the main window, the whole registry in the key tree, and the resident
// memory then. Each start is a process of its own, run three times (the
// median counts), on Qt's offscreen platform. The floor is the same start on
// the default registry (a few hundred keys, seeded into a fresh temporary
// file). Generated registries are kept in $BRACKWELL_BENCH_CACHE when set.
// Usage: bench_startup [KEYS[:VALUES_PER_KEY]]... [--png PATH]  (default: 10000 100000
//        700000:1.7, 3 values per key unless given;
//        the picture is of the window as it first appears on the largest)
//        bench_startup --start REGISTRY [PNG]  one start, as the above runs it
//        (an empty REGISTRY: the default registry)

#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "bench/bench_process.h"
#include "bench/bench_table.h"
#include "bench/synthetic_registry.h"
#include "framework/CWinApp.h"
#include "framework/CWnd.h"
#include "registry/default_registry_seed.h"
#include "registry/device_registry.h"
#include "resources/resources.h"

namespace {

using namespace brackwell::bench;

constexpr int kRuns = 3;

// Seconds since the kernel started this process (10 ms resolution).
double SecondsSinceProcessStart() {
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
    }
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9 -
           std::stod(field) / double(sysconf(_SC_CLK_TCK));
}

// Prints the figures of the first paint of the main window, then closes it.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(std::string pngPath) : m_pngPath(std::move(pngPath)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        CWnd* main = AfxGetMainWnd();
        if (!m_done && event->type() == QEvent::Paint && main && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == main->GetSafeHwnd()) {
            m_done = true;
            std::printf("first paint %.3f s, resident %.1f MiB\n", SecondsSinceProcessStart(),
                        ResidentMiB());
            std::fflush(stdout);
            QTimer::singleShot(0, [this] { Finish(); });
        }
        return false;
    }

private:
    void Finish() {
        CWnd* main = AfxGetMainWnd();
        if (!main) return;
        if (!m_pngPath.empty()) {
            const bool saved =
                main->GetSafeHwnd()->grab().save(QString::fromStdString(m_pngPath), "PNG");
            std::fprintf(stderr, "%s %s\n", saved ? "saved" : "could not save", m_pngPath.c_str());
        }
        main->PostMessage(WM_CLOSE);
    }

    std::string m_pngPath;
    bool m_done = false;
};

// One start of the program on registryPath (empty: the default registry in
// a fresh temporary file), as main does it.
int Start(char* program, const std::string& registryPath, const std::string& pngPath) {
    std::string folder;
    std::string path = registryPath;
    if (path.empty()) {
        folder = (std::filesystem::temp_directory_path() / "brackwell-start-XXXXXX").string();
        if (!mkdtemp(folder.data())) return 1;
        path = folder + "/registry.sqlite3";
    }
    FirstPaint firstPaint(pngPath);
    brackwell::resources::Register();
    char* programOnly[] = {program, nullptr};
    const int status = AfxWinMain(1, programOnly, [&](CString& error) {
        using namespace brackwell;
        const std::string seed =
            registryPath.empty() ? registry::ReadDefaultRegistrySeed().text : "";
        const registry::OpenResult opened = registry::OpenDeviceRegistry(path, seed);
        if (!opened.ok) error = CString::FromQString(QString::fromStdString(opened.error));
        qApp->installEventFilter(&firstPaint);
        return opened.ok;
    });
    brackwell::registry::CloseDeviceRegistry();
    if (!folder.empty()) std::filesystem::remove_all(folder);
    return status;
}

struct Figures {
    double seconds = 0;
    double resident = 0;  // MiB at the first paint
};

// Starts the program in a process of its own and reads what it printed.
std::optional<Figures> RunStart(const std::string& registryPath, const std::string& pngPath) {
    int channel[2];
    if (pipe(channel) != 0) return std::nullopt;
    const pid_t child = fork();
    if (child == 0) {
        dup2(channel[1], STDOUT_FILENO);
        close(channel[0]);
        close(channel[1]);
        const char* argv[] = {"bench_startup", "--start", registryPath.c_str(), pngPath.c_str(),
                              nullptr};
        execv("/proc/self/exe", const_cast<char* const*>(argv));
        _exit(127);
    }
    close(channel[1]);
    std::string output;
    char buffer[512];
    for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, std::size_t(n));
    close(channel[0]);
    int status = 1;
    if (child > 0) waitpid(child, &status, 0);
    Figures figures;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        std::sscanf(output.c_str(), "first paint %lf s, resident %lf MiB", &figures.seconds,
                    &figures.resident) != 2)
        return std::nullopt;
    return figures;
}

// The median start of kRuns.
std::optional<Figures> MedianStart(const std::string& registryPath, const std::string& pngPath) {
    std::vector<Figures> runs;
    for (int run = 0; run < kRuns; ++run) {
        const std::optional<Figures> figures = RunStart(registryPath, run == 0 ? pngPath : "");
        if (!figures) return std::nullopt;
        runs.push_back(*figures);
    }
    std::sort(runs.begin(), runs.end(),
              [](const Figures& a, const Figures& b) { return a.seconds < b.seconds; });
    Figures median = runs[kRuns / 2];
    std::vector<double> resident;
    for (const Figures& f : runs) resident.push_back(f.resident);
    std::sort(resident.begin(), resident.end());
    median.resident = resident[kRuns / 2];
    return median;
}

}  // namespace

int main(int argc, char* argv[]) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (argc >= 3 && std::string(argv[1]) == "--start")
        return Start(argv[0], argv[2], argc > 3 ? argv[3] : "");

    std::vector<char*> sizeArguments{argv[0]};
    std::string pngPath;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--png" && i + 1 < argc)
            pngPath = argv[++i];
        else
            sizeArguments.push_back(argv[i]);
    }
    const std::vector<SyntheticShape> shapes = ShapesFromArguments(
        int(sizeArguments.size()), sizeArguments.data(), {{10000, 3.0}, {100000, 3.0}, {700000, 1.7}});

    const std::optional<Figures> floor = MedianStart("", "");
    if (!floor) {
        std::fprintf(stderr, "the program did not start on the default registry\n");
        return 1;
    }
    std::string folder =
        (std::filesystem::temp_directory_path() / "brackwell-bench-XXXXXX").string();
    if (!mkdtemp(folder.data())) return 1;
    std::vector<std::string> columns;
    std::vector<std::pair<std::size_t, Figures>> results;
    for (const SyntheticShape& shape : shapes) {
        const std::size_t keys = shape.keys;
        const std::string path = folder + "/start-" + std::to_string(keys) + ".sqlite3";
        std::string error;
        const bool made = MakeSyntheticRegistryFile(shape, path, nullptr, &error);
        const std::optional<Figures> figures =
            made ? MedianStart(path, keys == shapes.back().keys ? pngPath : "") : std::nullopt;
        std::filesystem::remove(path);
        if (!figures) {
            std::fprintf(stderr, "no figures for %zu keys %s\n", keys, error.c_str());
            std::filesystem::remove_all(folder);
            return 1;
        }
        columns.push_back(Count(keys, "keys"));
        results.push_back({keys, *figures});
    }
    std::filesystem::remove_all(folder);

    FigureTable table(columns);
    auto row = [&](const char* label, auto cell) {
        std::vector<std::string> cells;
        for (const auto& [keys, f] : results) cells.push_back(cell(double(keys), f));
        table.Row(label, cells);
    };
    row("process start to first paint, median of 3",
        [](double, const Figures& f) { return Seconds(f.seconds); });
    row("floor: the same on the default registry",
        [&](double, const Figures&) { return Seconds(floor->seconds); });
    row("ratio", [&](double, const Figures& f) { return Ratio(f.seconds / floor->seconds); });
    row("  per key above the floor",
        [&](double keys, const Figures& f) { return Micros((f.seconds - floor->seconds) / keys); });
    row("resident memory at the first paint",
        [](double, const Figures& f) { return MiB(f.resident); });
    row("floor: the same on the default registry",
        [&](double, const Figures&) { return MiB(floor->resident); });
    row("ratio", [&](double, const Figures& f) { return Ratio(f.resident / floor->resident); });
    row("  per key above the floor", [&](double keys, const Figures& f) {
        return Bytes((f.resident - floor->resident) * 1024 * 1024 / keys);
    });
    std::printf(
        "Targets at 700,000 keys: first paint <= 1.5 s, resident memory <= 300 MiB "
        "(<= 80 MiB at 100,000 keys)\n");
    table.Print();
    return 0;
}
