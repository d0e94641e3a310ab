// Times the registry as the store every program shares, with real processes:
//  (a) writers: 8 processes each write 500 numbers into their own key, one
//      durable RegSetValueEx at a time, all into one registry file: the total
//      time, per-write median, p99 and worst latency, how far the last writer
//      finishes behind the first, failures (must be 0) and values kept.
//      Against the floor of one writer alone, and against the same writes made
//      straight through SQLite, whose waiters poll (its busy timeout), which is
//      how the store waited before it had the registry lock. Quiet, and again
//      with two processes burning both cores.
//  (b) an open while another process imports 100,000 keys in one transaction:
//      how long the open waited and what it saw.
//  (c) SQLite's full integrity check, which the first write of a session runs,
//      at 100,000 and 700,000 keys: against SQLite's quick check (which the open
//      leaves out, since loading reads every page of both tables) and
//      the open itself.
// Usage: bench_registry_sharing [WRITERS WRITES] [writers|import|integrity]
//        (default: 8 500, every part)

#include <fcntl.h>
#include <sqlite3.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_clock.h"
#include "bench/synthetic_registry.h"
#include "registry/device_registry.h"
#include "registry/registry.h"
#include "registry/registry_lock.h"
#include "tests/registry/helper_process.h"

namespace {

using brackwell::bench::Clock;
using brackwell::bench::SecondsSince;
using brackwell::registry::testing::HelperProcess;
namespace registry = brackwell::registry;

constexpr char kSelf[] = "/proc/self/exe";

std::u16string Widen(const std::string& text) {
    return {text.begin(), text.end()};
}

void WaitForInputToClose() {
    char buffer[16];
    while (read(STDIN_FILENO, buffer, sizeof buffer) > 0) {
    }
}

// ---- the processes this program starts as copies of itself ----

// --writer store|sqlite PATH INDEX COUNT: prints "ready", starts when its input
// closes, then prints one line per write (microseconds, or "fail") and the
// steady clock's reading when it finished (nanoseconds; the clock is the
// same in every process).
int Writer(const std::string& mode, const std::string& path, const std::string& index, int count) {
    const std::u16string keyPath = u"Bench\\Writer" + Widen(index);
    sqlite3* db = nullptr;
    sqlite3_stmt* insert = nullptr;
    HKEY key = nullptr;
    if (mode == "store") {
        if (!registry::OpenDeviceRegistry(path).ok ||
            RegCreateKeyEx(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, 0, nullptr, &key,
                           nullptr) != ERROR_SUCCESS) {
            return 1;
        }
    } else {
        // The store's settings, and SQLite's own waiting: sleep and try again.
        if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            return 1;
        sqlite3_busy_timeout(db, 60000);
        sqlite3_exec(db, "PRAGMA journal_mode=TRUNCATE; PRAGMA synchronous=FULL", nullptr, nullptr,
                     nullptr);
        sqlite3_prepare_v2(
            db, "INSERT INTO vals(key, name, folded, type, data) VALUES(?1, ?2, ?2, 4, ?3)", -1,
            &insert, nullptr);
    }
    std::puts("ready");
    std::fflush(stdout);
    WaitForInputToClose();
    for (int i = 0; i < count; ++i) {
        const DWORD number = static_cast<DWORD>(i);
        const std::string name = "n" + std::to_string(i);
        const auto start = Clock::now();
        bool ok;
        if (key) {
            ok = RegSetValueEx(key, Widen(name).c_str(), 0, REG_DWORD,
                               reinterpret_cast<const BYTE*>(&number), 4) == ERROR_SUCCESS;
        } else {
            sqlite3_bind_int64(insert, 1, 1000 + std::atoi(index.c_str()));
            sqlite3_bind_text(insert, 2, (index + name).c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_blob(insert, 3, &number, 4, SQLITE_TRANSIENT);
            ok = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK &&
                 sqlite3_step(insert) == SQLITE_DONE &&
                 sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
            if (!ok) sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_reset(insert);
        }
        const double seconds = SecondsSince(start);
        if (ok) {
            std::printf("%.0f\n", seconds * 1e6);
        } else {
            std::puts("fail");
        }
    }
    std::printf("%lld\n", static_cast<long long>(Clock::now().time_since_epoch().count()));
    std::fflush(stdout);
    sqlite3_finalize(insert);
    sqlite3_close(db);
    return 0;
}

// --import PATH KEYS: imports a synthetic registry, printing "importing" just
// before and the seconds it took after.
int Importer(const std::string& path, std::size_t keys) {
    if (!registry::OpenDeviceRegistry(path).ok) return 1;
    std::puts("importing");
    std::fflush(stdout);
    brackwell::bench::SyntheticStats stats;
    std::string error;
    const auto start = Clock::now();
    if (!brackwell::bench::FillSyntheticRegistry({keys, 1.0}, &stats, &error)) return 1;
    std::printf("%.3f %zu\n", SecondsSince(start), stats.keys);
    return 0;
}

// --burn: keeps one core busy until its input closes.
int Burn() {
    const int flags = fcntl(STDIN_FILENO, F_GETFL);
    fcntl(STDIN_FILENO, F_SETFL, flags | O_NONBLOCK);
    char byte;
    volatile unsigned long spin = 0;
    for (;;) {
        for (int i = 0; i < 1000000; ++i) spin = spin + 1;
        if (read(STDIN_FILENO, &byte, 1) == 0) return 0;
    }
}

// ---- figures ----

struct Run {
    double total = 0;
    std::vector<double> latencies;       // seconds, every write that succeeded
    std::vector<double> writerFinished;  // seconds from the start, per writer
    int failures = 0;
    std::size_t kept = 0;
};

double Percentile(std::vector<double> samples, double share) {
    if (samples.empty()) return 0;
    std::sort(samples.begin(), samples.end());
    return samples[std::min(samples.size() - 1, static_cast<std::size_t>(samples.size() * share))];
}

std::size_t CountKept(const std::string& path, int writers) {
    if (!registry::OpenDeviceRegistryReadOnly(path).ok) return 0;
    std::size_t kept = 0;
    for (int i = 0; i < writers; ++i) {
        HKEY key = nullptr;
        const std::u16string keyPath = u"Bench\\Writer" + Widen(std::to_string(i));
        DWORD values = 0;
        if (RegOpenKeyEx(HKEY_CURRENT_USER, keyPath.c_str(), 0, 0, &key) == ERROR_SUCCESS &&
            RegQueryInfoKey(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                            nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
            kept += values;
        }
        RegCloseKey(key);
    }
    registry::CloseDeviceRegistry();
    return kept;
}

std::size_t CountKeptBySqlite(const std::string& path) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* count = nullptr;
    sqlite3_prepare_v2(db, "SELECT count(*) FROM vals WHERE key >= 1000", -1, &count, nullptr);
    const std::size_t kept = sqlite3_step(count) == SQLITE_ROW ? sqlite3_column_int64(count, 0) : 0;
    sqlite3_finalize(count);
    sqlite3_close(db);
    return kept;
}

// A fresh registry file; for the SQLite writers, with the rows their values hang on.
std::string FreshRegistry(const std::string& folder, const std::string& mode, int writers) {
    const std::string path = folder + "/writers-" + mode + ".sqlite3";
    std::filesystem::remove(path);
    registry::OpenDeviceRegistry(path);
    registry::CloseDeviceRegistry();
    if (mode == "sqlite") {
        sqlite3* db = nullptr;
        sqlite3_open(path.c_str(), &db);
        for (int i = 0; i < writers; ++i) {
            const std::string sql =
                "INSERT INTO keys(id, parent, name, folded) VALUES(" + std::to_string(1000 + i) +
                ", 2, x'" + std::to_string(1000 + i) + "', x'" + std::to_string(1000 + i) + "')";
            sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
        }
        sqlite3_close(db);
    }
    return path;
}

Run Writers(const std::string& folder, const std::string& mode, int writers, int writes) {
    const std::string path = FreshRegistry(folder, mode, writers);
    std::vector<std::unique_ptr<HelperProcess>> processes;
    for (int i = 0; i < writers; ++i) {
        processes.push_back(std::make_unique<HelperProcess>(
            kSelf, std::vector<std::string>{"--writer", mode, path, std::to_string(i),
                                            std::to_string(writes)}));
    }
    Run run;
    for (auto& process : processes) {
        if (process->ReadLine() != "ready") ++run.failures;
    }
    const auto start = Clock::now();
    for (auto& process : processes) process->CloseInput();
    for (auto& process : processes) {
        for (int i = 0; i < writes; ++i) {
            const std::string line = process->ReadLine();
            if (line.empty() || line == "fail") {
                ++run.failures;
            } else {
                run.latencies.push_back(std::atof(line.c_str()) / 1e6);
            }
        }
        const Clock::time_point finished{Clock::duration{std::atoll(process->ReadLine().c_str())}};
        run.writerFinished.push_back(std::chrono::duration<double>(finished - start).count());
        process->Wait();
    }
    run.total = *std::max_element(run.writerFinished.begin(), run.writerFinished.end());
    run.kept = mode == "store" ? CountKept(path, writers) : CountKeptBySqlite(path);
    return run;
}

void PrintRun(const char* label, const Run& run, int expected, double floorMedian) {
    const auto [fastest, slowest] =
        std::minmax_element(run.writerFinished.begin(), run.writerFinished.end());
    const double median = Percentile(run.latencies, 0.5);
    std::printf("  %-34s %7.2f s %7.2f ms %7.2f ms %8.1f ms %7.2f s %5.2f %6d %6zu/%d\n", label,
                run.total, median * 1e3, Percentile(run.latencies, 0.99) * 1e3,
                Percentile(run.latencies, 1.0) * 1e3,
                run.writerFinished.empty() ? 0 : *slowest - *fastest,
                floorMedian > 0 ? median / floorMedian : 0, run.failures, run.kept, expected);
}

void WriterFigures(const std::string& folder, int writers, int writes) {
    std::printf("\n== %d writer processes x %d durable writes into one registry\n", writers,
                writes);
    const Run alone = Writers(folder, "store", 1, writes);
    const double floorMedian = Percentile(alone.latencies, 0.5);
    std::printf("  %-34s %9s %10s %10s %11s %9s %5s %6s %6s\n", "", "total", "median", "p99",
                "worst", "last-1st", "/floor", "fails", "kept");
    PrintRun("floor: one writer alone", alone, writes, floorMedian);
    for (const bool loaded : {false, true}) {
        std::vector<std::unique_ptr<HelperProcess>> burners;
        if (loaded) {
            for (int i = 0; i < 2; ++i) {
                burners.push_back(
                    std::make_unique<HelperProcess>(kSelf, std::vector<std::string>{"--burn"}));
            }
        }
        const std::string suffix = loaded ? ", 2 busy cores" : ", quiet";
        PrintRun(("registry lock" + suffix).c_str(), Writers(folder, "store", writers, writes),
                 writers * writes, floorMedian);
        PrintRun(("SQLite busy polling" + suffix).c_str(),
                 Writers(folder, "sqlite", writers, writes), writers * writes, floorMedian);
    }
    std::printf(
        "  (last-1st: how long after the first writer the last one finished; /floor: median over "
        "the\n"
        "   floor's median; SQLite polling writes the same rows without the store around them)\n");
}

// Waits until a process holds the registry lock for writing.
void WaitForWriter(const std::string& path) {
    const int fd = open(registry::LockFilePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    for (;;) {
        struct flock probe {};
        probe.l_type = F_RDLCK;
        probe.l_whence = SEEK_SET;
        probe.l_start = 1;
        probe.l_len = 1;
        if (fd < 0 || (fcntl(fd, F_OFD_GETLK, &probe) == 0 && probe.l_type == F_WRLCK)) break;
        usleep(1000);
    }
    if (fd >= 0) close(fd);
}

// The last key the import makes: an open that finds it saw the whole import.
std::pair<HKEY, std::u16string> LastImportedKey(std::size_t keys) {
    brackwell::bench::SyntheticStats stats;
    const auto operations = brackwell::bench::GenerateSyntheticRegistry({keys, 1.0}, &stats);
    for (auto op = operations.rbegin(); op != operations.rend(); ++op) {
        if (op->kind == registry::RegOperation::Kind::CreateKey) return {op->root, op->path};
    }
    return {};
}

void OpenWhileImporting(const std::string& folder, std::size_t keys) {
    const std::string path = folder + "/import.sqlite3";
    std::filesystem::remove(path);
    registry::OpenDeviceRegistry(path);
    registry::CloseDeviceRegistry();
    const auto [root, last] = LastImportedKey(keys);
    HelperProcess importer(kSelf, {"--import", path, std::to_string(keys)});
    importer.CloseInput();
    if (importer.ReadLine() != "importing") return;
    WaitForWriter(path);
    const auto start = Clock::now();
    const registry::OpenResult opened = registry::OpenDeviceRegistry(path);
    const double waited = SecondsSince(start);
    HKEY key = nullptr;
    const bool whole = RegOpenKeyEx(root, last.c_str(), 0, 0, &key) == ERROR_SUCCESS;
    RegCloseKey(key);
    registry::CloseDeviceRegistry();
    const std::string imported = importer.ReadLine();
    importer.Wait();
    std::printf("\n== open while another process imports %zu keys in one transaction\n", keys);
    std::printf("  import (seconds, keys): %s\n", imported.c_str());
    std::printf("  the open waited %.3f s and %s; %s\n", waited,
                opened.ok ? "succeeded" : ("failed: " + opened.error).c_str(),
                whole ? "it saw the whole import" : "it did not see the import's last key");
}

double TimePragma(const std::string& path, const char* pragma) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    const auto start = Clock::now();
    sqlite3_exec(db, pragma, nullptr, nullptr, nullptr);
    const double seconds = SecondsSince(start);
    sqlite3_close(db);
    return seconds;
}

void IntegrityFigures(const std::string& folder, std::size_t keys, double valuesPerKey) {
    const std::string path = folder + "/integrity-" + std::to_string(keys) + ".sqlite3";
    std::filesystem::remove(path);
    brackwell::bench::SyntheticStats stats;
    std::string error;
    if (!registry::OpenDeviceRegistry(path).ok ||
        !brackwell::bench::FillSyntheticRegistry({keys, valuesPerKey}, &stats, &error)) {
        std::fprintf(stderr, "generating failed: %s\n", error.c_str());
        return;
    }
    registry::CloseDeviceRegistry();

    auto start = Clock::now();
    registry::OpenDeviceRegistry(path);
    const double open = SecondsSince(start);
    // Opening a key writes nothing, so the first of these writes is the session's first.
    HKEY key = nullptr;
    RegOpenKeyEx(HKEY_CURRENT_USER, u"", 0, 0, &key);
    std::vector<double> writes;
    for (DWORD i = 0; i < 21; ++i) {
        start = Clock::now();
        RegSetValueEx(key, u"Counter", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&i), 4);
        writes.push_back(SecondsSince(start));
    }
    RegCloseKey(key);
    registry::CloseDeviceRegistry();
    const double later = Percentile({writes.begin() + 1, writes.end()}, 0.5);
    const double quick = TimePragma(path, "PRAGMA quick_check");
    const double full = TimePragma(path, "PRAGMA integrity_check");
    std::filesystem::remove(path);

    std::printf("\n== integrity check, %zu keys and %zu values\n", stats.keys, stats.values);
    std::printf("  %-58s %8.3f s\n", "open (key tree and value-row checks)", open);
    std::printf("  %-58s %8.3f s\n", "PRAGMA quick_check (not run at open)", quick);
    std::printf("  %-58s %8.3f s\n", "PRAGMA integrity_check (first write of a session, check)",
                full);
    std::printf("  %-58s %8.3f s  (later writes: %.2f ms median)\n",
                "first durable write of the session", writes[0], later * 1e3);
    std::printf("  ratios: integrity/quick %.2f   integrity/open %.2f\n", full / quick,
                full / open);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 5 && args[0] == "--writer")
        return Writer(args[1], args[2], args[3], std::atoi(args[4].c_str()));
    if (args.size() == 3 && args[0] == "--import")
        return Importer(args[1], std::atol(args[2].c_str()));
    if (args.size() == 1 && args[0] == "--burn") return Burn();
    // [WRITERS WRITES] [writers|import|integrity]: the figures to take, all by default.
    const bool counts = args.size() >= 2 && std::isdigit(static_cast<unsigned char>(args[0][0]));
    const int writers = counts ? std::atoi(args[0].c_str()) : 8;
    const int writes = counts ? std::atoi(args[1].c_str()) : 500;
    const std::string only = args.size() == (counts ? 3u : 1u) ? args.back() : "";

    std::string folder =
        (std::filesystem::temp_directory_path() / "brackwell-bench-XXXXXX").string();
    if (!mkdtemp(folder.data())) return 1;
    std::ifstream loadavg("/proc/loadavg");
    std::string load;
    std::getline(loadavg, load);
    std::printf("load average at start: %s\n", load.c_str());
    if (only.empty() || only == "writers") WriterFigures(folder, writers, writes);
    if (only.empty() || only == "import") OpenWhileImporting(folder, 100000);
    if (only.empty() || only == "integrity") {
        IntegrityFigures(folder, 100000, 3.0);
        IntegrityFigures(folder, 700000, 1.7);
    }
    std::filesystem::remove_all(folder);
    return 0;
}
