// Export and import of whole synthetic registries as a person runs them, with
// brackwell-reg, each run a process of its own whose time and peak resident
// memory are measured:
//  - floor: a process that opens the registry read-only and reads every key
//    and value through the ten calls in the exporter's order (each key opened
//    below its parent, its values, then its subkeys), writing nothing: the
//    store's bare value walk;
//  - export --all of the whole registry (version 5, and REGEDIT4), against the floor;
//  - import of that version 5 export into an empty registry file, its peak
//    memory against the size of the file.
// Each figure is the best of three runs, with the processor time (user and
// system) of that run, which says more than the time on a busy machine.
// Usage: bench_reg_exchange [KEYS[:VALUES_PER_KEY]]...  (default: 100000 700000:1.7)
// $BRACKWELL_BENCH_CACHE names a folder where the generated registries are kept.

#include <spawn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bench/bench_clock.h"
#include "bench/synthetic_registry.h"
#include "registry/device_registry.h"
#include "registry/key_handle.h"
#include "registry/registry.h"
#include "registry/registry_limits.h"

extern char** environ;

namespace {

using brackwell::bench::Clock;
using brackwell::bench::SecondsSince;
using namespace brackwell;

constexpr int kRuns = 3;

struct Measure {
    double seconds = 1e9;
    double cpuSeconds = 1e9;  // user and system, of the run that took the least time
    double peakMiB = 0;
    bool ok = true;
};

// Runs program with arguments to its end; the best time of kRuns and the
// largest peak resident memory any run reached.
Measure Run(const std::vector<std::string>& command, const std::function<void()>& before = {}) {
    Measure best;
    for (int run = 0; run < kRuns; ++run) {
        if (before) before();
        std::vector<std::string> argv = command;
        std::vector<char*> pointers;
        for (std::string& argument : argv) pointers.push_back(argument.data());
        pointers.push_back(nullptr);
        pid_t pid = -1;
        const auto start = Clock::now();
        if (posix_spawn(&pid, argv[0].c_str(), nullptr, nullptr, pointers.data(), environ) != 0) {
            best.ok = false;
            return best;
        }
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        const double seconds = SecondsSince(start);
        if (seconds < best.seconds) {
            best.seconds = seconds;
            best.cpuSeconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                              double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        }
        best.peakMiB = std::max(best.peakMiB, double(usage.ru_maxrss) / 1024.0);
        best.ok = best.ok && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    return best;
}

// The floor's walk, in a process of its own (this program run with --walk).
int ValueWalk(const std::string& registry) {
    if (!registry::OpenDeviceRegistryReadOnly(registry).ok) return 1;
    std::vector<WCHAR> name(registry::kMaxValueNameLength + 1);
    std::vector<BYTE> data(registry::kMaxValueDataSize);
    struct Level {
        registry::KeyHandle key;
        DWORD next = 0;
    };
    std::size_t keys = 0;
    std::size_t values = 0;
    const auto visit = [&](HKEY key) {
        ++keys;
        for (DWORD index = 0;; ++index) {
            auto length = static_cast<DWORD>(name.size());
            auto size = static_cast<DWORD>(data.size());
            DWORD type = 0;
            const LONG rc =
                RegEnumValue(key, index, name.data(), &length, nullptr, &type, data.data(), &size);
            if (rc == ERROR_NO_MORE_ITEMS) return true;
            if (rc != ERROR_SUCCESS) return false;
            ++values;
        }
    };
    for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS}) {
        std::vector<Level> levels;
        levels.push_back({registry::KeyHandle(root), 0});
        if (!visit(root)) return 1;
        while (!levels.empty()) {
            Level& top = levels.back();
            auto length = static_cast<DWORD>(name.size());
            LONG rc = RegEnumKeyEx(top.key.get(), top.next++, name.data(), &length, nullptr,
                                   nullptr, nullptr, nullptr);
            if (rc == ERROR_NO_MORE_ITEMS) {
                levels.pop_back();
                continue;
            }
            Level child;
            const std::u16string subkey(name.data(), length);
            if (rc == ERROR_SUCCESS) {
                rc = RegOpenKeyEx(top.key.get(), subkey.c_str(), 0, 0, child.key.out());
            }
            if (rc != ERROR_SUCCESS || !visit(child.key.get())) return 1;
            levels.push_back(std::move(child));
        }
    }
    std::fprintf(stderr, "walked %zu keys, %zu values\n", keys, values);
    registry::CloseDeviceRegistry();
    return 0;
}

double FileMiB(const std::string& path) {
    return double(std::filesystem::file_size(path)) / 1048576.0;
}

void Print(const char* what, const Measure& measure, const std::string& extra = {}) {
    std::printf("  %-48s %8.3f s (cpu %6.3f s)  peak %7.1f MiB%s%s\n", what, measure.seconds,
                measure.cpuSeconds, measure.peakMiB, extra.c_str(), measure.ok ? "" : "  (FAILED)");
}

bool RunSize(const std::string& self, const std::string& folder,
             const bench::SyntheticShape& shape) {
    const std::string source = folder + "/source.sqlite3";
    bench::SyntheticStats stats;
    std::string error;
    if (!bench::MakeSyntheticRegistryFile(shape, source, &stats, &error)) {
        std::fprintf(stderr, "generating failed: %s\n", error.c_str());
        return false;
    }
    const std::string tool = BRACKWELL_REG_TOOL;
    const std::string exported = folder + "/export.reg";
    const std::string exported4 = folder + "/export-regedit4.reg";
    const std::string target = folder + "/target.sqlite3";

    const Measure floor = Run({self, "--walk", source});
    const Measure version5 =
        Run({tool, "--registry", source, "export", "--all", exported, "--force"});
    const Measure regedit4 =
        Run({tool, "--registry", source, "export", "--all", exported4, "--regedit4", "--force"});
    const auto emptyTarget = [&] {
        std::filesystem::remove(target);
        std::filesystem::remove(target + "-journal");
        std::filesystem::remove(target + "-lock");
        registry::OpenDeviceRegistry(target);
        registry::CloseDeviceRegistry();
    };
    const Measure imported = Run({tool, "--registry", target, "import", exported}, emptyTarget);

    char buffer[160];
    std::printf("\n== %zu keys, %zu values (%.1f MiB of data; registry file %.1f MiB)\n",
                stats.keys, stats.values, double(stats.dataBytes) / 1048576.0, FileMiB(source));
    Print("floor: open read-only + bare value walk", floor);
    std::snprintf(buffer, sizeof buffer, "  %.2f x floor, file %.1f MiB",
                  version5.seconds / floor.seconds, FileMiB(exported));
    Print("export --all (version 5, UTF-16)", version5, buffer);
    std::snprintf(buffer, sizeof buffer, "  %.2f x floor, file %.1f MiB",
                  regedit4.seconds / floor.seconds, FileMiB(exported4));
    Print("export --all --regedit4 (UTF-8)", regedit4, buffer);
    std::snprintf(buffer, sizeof buffer, "  peak %.2f x the file's size",
                  imported.peakMiB / FileMiB(exported));
    Print("import of the version 5 export into an empty file", imported, buffer);
    for (const std::string& path : {source, exported, exported4, target}) {
        std::filesystem::remove(path);
        std::filesystem::remove(path + "-journal");
        std::filesystem::remove(path + "-lock");
    }
    return floor.ok && version5.ok && regedit4.ok && imported.ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--walk") return ValueWalk(argv[2]);
    const std::vector<bench::SyntheticShape> shapes =
        bench::ShapesFromArguments(argc, argv, {{100000, 3.0}, {700000, 1.7}});

    std::string folder =
        (std::filesystem::temp_directory_path() / "brackwell-bench-XXXXXX").string();
    if (!mkdtemp(folder.data())) return 1;
    std::printf(
        "Targets: export of 700,000 keys <= 3 s and <= 2 x the floor; import of that file "
        "<= 10 s with peak memory <= 2 x the file's size\n");
    bool ok = true;
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    for (const auto& shape : shapes) ok = RunSize(self, folder, shape) && ok;
    std::filesystem::remove_all(folder);
    return ok ? 0 : 1;
}
