// Times the registry store the way the program uses it, against floors:
//  (a) key walk: every key reopened from its root by full path, subkeys
//      enumerated by index into a 1024-character buffer;
//  (b) value walk: for every key, the largest data size, then every value
//      into a buffer of that size + 256;
//  (c) floor for both: a bare SELECT of all key rows and value rows;
//  (d) one durable RegSetValueEx (median, 99th percentile) against a raw
//      4 KiB write + fdatasync on the same disk.
// Usage: bench_registry [KEYS VALUES_PER_KEY]...  (default: 100000 3.0  700000 1.7)

#include <fcntl.h>
#include <sqlite3.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_clock.h"
#include "bench/synthetic_registry.h"
#include "registry/device_registry.h"
#include "registry/registry.h"

namespace {

using brackwell::bench::Clock;
using brackwell::bench::SecondsSince;

struct Root {
    HKEY handle;
    const char* name;
};
const Root kRoots[] = {{HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},
                       {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
                       {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"},
                       {HKEY_USERS, "HKEY_USERS"}};

struct KeyPath {
    HKEY root;
    std::u16string path;
};

// Opens root\path as the program does and recurses into each subkey.
void WalkKeys(HKEY root, const std::u16string& path, std::vector<KeyPath>* seen) {
    HKEY key = nullptr;
    if (RegOpenKeyEx(root, path.c_str(), 0, 0, &key) != ERROR_SUCCESS) return;
    seen->push_back({root, path});
    WCHAR name[1024];
    for (DWORD index = 0;; ++index) {
        DWORD length = 1024;
        if (RegEnumKeyEx(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        WalkKeys(root, path + u"\\" + std::u16string(name, length), seen);
    }
    RegCloseKey(key);
}

std::size_t WalkValues(const std::vector<KeyPath>& keys) {
    std::size_t values = 0;
    std::vector<BYTE> data;
    WCHAR name[1024];
    for (const KeyPath& k : keys) {
        HKEY key = nullptr;
        if (RegOpenKeyEx(k.root, k.path.c_str(), 0, 0, &key) != ERROR_SUCCESS) continue;
        DWORD largest = 0;
        RegQueryInfoKey(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                        &largest, nullptr, nullptr);
        data.resize(largest + 256);
        for (DWORD index = 0;; ++index) {
            DWORD length = 1024;
            DWORD type = 0;
            auto size = static_cast<DWORD>(data.size());
            if (RegEnumValue(key, index, name, &length, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) break;
            ++values;
        }
        RegCloseKey(key);
    }
    return values;
}

double BareSelect(const std::string& path, std::size_t* rows) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    const auto start = Clock::now();
    *rows = 0;
    std::size_t bytes = 0;
    for (const char* sql : {"SELECT id, parent, name FROM keys", "SELECT key, id, name, type, data FROM vals"}) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
        while (sqlite3_step(statement) == SQLITE_ROW) {
            ++*rows;
            for (int column = 0; column < sqlite3_column_count(statement); ++column) {
                bytes += static_cast<std::size_t>(sqlite3_column_bytes(statement, column));
            }
        }
        sqlite3_finalize(statement);
    }
    const double seconds = SecondsSince(start);
    sqlite3_close(db);
    return bytes > 0 ? seconds : -1;
}

struct Latency {
    double median;
    double p99;
};

Latency Summarise(std::vector<double> samples) {
    if (samples.empty()) return {0, 0};
    std::sort(samples.begin(), samples.end());
    return {samples[samples.size() / 2], samples[samples.size() * 99 / 100]};
}

Latency DurableSets(int count) {
    HKEY key = nullptr;
    RegCreateKeyEx(HKEY_CURRENT_USER, u"Bench\\Writes", 0, nullptr, 0, 0, nullptr, &key, nullptr);
    std::vector<double> samples;
    for (int i = 0; i < count; ++i) {
        const DWORD number = static_cast<DWORD>(i);
        const auto start = Clock::now();
        RegSetValueEx(key, u"Counter", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4);
        samples.push_back(SecondsSince(start));
    }
    RegCloseKey(key);
    return Summarise(samples);
}

Latency RawSyncedWrites(const std::string& folder, int count) {
    const std::string path = folder + "/raw-sync";
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0600);
    std::vector<char> page(4096, 'x');
    std::vector<double> samples;
    for (int i = 0; i < count; ++i) {
        const auto start = Clock::now();
        if (pwrite(fd, page.data(), page.size(), 0) != 4096 || fdatasync(fd) != 0) break;
        samples.push_back(SecondsSince(start));
    }
    close(fd);
    std::filesystem::remove(path);
    return Summarise(samples);
}

bool RunSize(const std::string& folder, const brackwell::bench::SyntheticShape& shape) {
    using namespace brackwell;
    const std::string path = folder + "/bench-" + std::to_string(shape.keys) + ".sqlite3";
    std::filesystem::remove(path);
    std::filesystem::remove(path + "-journal");
    if (auto opened = registry::OpenDeviceRegistry(path); !opened.ok) {
        std::fprintf(stderr, "%s\n", opened.error.c_str());
        return false;
    }
    bench::SyntheticStats stats;
    std::string error;
    auto start = Clock::now();
    if (!bench::FillSyntheticRegistry(shape, &stats, &error)) {
        std::fprintf(stderr, "generating failed: %s\n", error.c_str());
        return false;
    }
    const double fill = SecondsSince(start);
    registry::CloseDeviceRegistry();

    start = Clock::now();
    if (!registry::OpenDeviceRegistry(path).ok) return false;
    const double open = SecondsSince(start);

    std::vector<KeyPath> keys;
    double walkKeys = 1e9;
    for (int run = 0; run < 3; ++run) {
        keys.clear();
        start = Clock::now();
        for (const Root& root : kRoots) WalkKeys(root.handle, u"", &keys);
        walkKeys = std::min(walkKeys, SecondsSince(start));
    }
    start = Clock::now();
    std::size_t values = WalkValues(keys);
    const double firstValueWalk = SecondsSince(start);
    double walkValues = 1e9;
    for (int run = 0; run < 3; ++run) {
        start = Clock::now();
        values = WalkValues(keys);
        walkValues = std::min(walkValues, SecondsSince(start));
    }
    const Latency set = DurableSets(500);
    registry::CloseDeviceRegistry();

    std::size_t rows = 0;
    double floor = 1e9;
    for (int run = 0; run < 3; ++run) floor = std::min(floor, BareSelect(path, &rows));
    const Latency raw = RawSyncedWrites(folder, 500);
    const auto fileSize = std::filesystem::file_size(path);
    std::filesystem::remove(path);
    std::filesystem::remove(path + "-journal");

    std::printf("\n== %zu keys, %zu values (generated: average depth %.2f, largest fan-out %zu, "
                "%.1f MiB of data; file %.1f MiB)\n",
                stats.keys, stats.values, stats.averageDepth, stats.largestFanOut,
                double(stats.dataBytes) / 1048576.0, double(fileSize) / 1048576.0);
    std::printf("  %-58s %10.3f s\n", "write the registry (one transaction)", fill);
    std::printf("  %-58s %10.3f s\n", "open: check the file and load the key tree", open);
    std::printf("  %-58s %10.3f s  (%zu keys)\n", "(a) key walk, best of 3", walkKeys, keys.size());
    std::printf("  %-58s %10.3f s\n", "(b) value walk, first (loads every value)", firstValueWalk);
    std::printf("  %-58s %10.3f s  (%zu values)\n", "(b) value walk, best of 3", walkValues, values);
    std::printf("  %-58s %10.3f s  (%zu rows)\n", "(c) floor: bare SELECT of every key and value row", floor, rows);
    std::printf("  %-58s %7.3f ms median, %7.3f ms p99\n", "(d) durable RegSetValueEx", set.median * 1e3,
                set.p99 * 1e3);
    std::printf("  %-58s %7.3f ms median, %7.3f ms p99\n", "    floor: 4 KiB pwrite + fdatasync", raw.median * 1e3,
                raw.p99 * 1e3);
    std::printf("  ratios: (a)/(c) %.2f   (b)/(c) %.2f   (b first)/(c) %.2f   (d)/floor %.2f\n",
                walkKeys / floor, walkValues / floor, firstValueWalk / floor, set.median / raw.median);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<brackwell::bench::SyntheticShape> shapes;
    for (int i = 1; i + 1 < argc; i += 2) {
        shapes.push_back({static_cast<std::size_t>(std::atol(argv[i])), std::atof(argv[i + 1])});
    }
    if (shapes.empty()) shapes = {{100000, 3.0}, {700000, 1.7}};

    std::string folder = (std::filesystem::temp_directory_path() / "brackwell-bench-XXXXXX").string();
    if (!mkdtemp(folder.data())) return 1;
    bool ok = true;
    for (const auto& shape : shapes) ok = RunSize(folder, shape) && ok;
    std::filesystem::remove_all(folder);
    return ok ? 0 : 1;
}
