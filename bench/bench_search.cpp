// Times one search step that finds nothing, so it walks a generated registry
// from the first root to the end of the key tree reading every key's values,
// against the bare read floor: the same registry reads with no tree walk (for
// each key, open it by path, ask for its largest data size, enumerate its
// values and build their Data text). Also prints a bare SELECT of every value
// row, and the program's resident memory after start-up and after the step.
// Figures in total and per key.
// Usage: bench_search [KEYS[:VALUES_PER_KEY]]...  (default: 10000 100000 700000:1.7)
// $BRACKWELL_BENCH_CACHE names a folder where the generated files are kept.

#include <sqlite3.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/bench_clock.h"
#include "bench/bench_process.h"
#include "bench/synthetic_registry.h"
#include "dialogs/SearchSettings.h"
#include "document/CBrackwellDoc.h"
#include "framework/CWinApp.h"
#include "registry/device_registry.h"
#include "resources/resources.h"
#include "shell/CBrackwellView.h"
#include "shell/CMainFrame.h"

namespace {

using brackwell::bench::Clock;
using brackwell::bench::ResidentMiB;
using brackwell::bench::SecondsSince;

double BareValueSelect(const std::string& path) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    const auto start = Clock::now();
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, "SELECT key, id, name, type, data FROM vals", -1, &statement, nullptr);
    std::size_t bytes = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int column = 0; column < 5; ++column)
            bytes += static_cast<std::size_t>(sqlite3_column_bytes(statement, column));
    }
    sqlite3_finalize(statement);
    const double seconds = SecondsSince(start);
    sqlite3_close(db);
    return bytes > 0 ? seconds : -1;
}

struct KeyRef {
    HKEY root;
    CString path;
};

void CollectKeys(CBrackwellDoc& doc, CBrackwellView& view, HTREEITEM item,
                 std::vector<KeyRef>* keys) {
    const CTreeCtrl& tree = view.GetTreeCtrl();
    for (; item; item = tree.GetNextSiblingItem(item)) {
        KeyRef key{nullptr, CString()};
        if (tree.GetParentItem(item))
            doc.GetKeyPath(&view, item, key.path, key.root);
        else
            key.root = reinterpret_cast<HKEY>(tree.GetItemData(item));
        keys->push_back(key);
        CollectKeys(doc, view, tree.GetChildItem(item), keys);
    }
}

struct FloorCount {
    std::size_t values = 0;
    std::size_t characters = 0;  // of the Data texts, so that building them is not optimised away
};

// The registry work of a search step without the tree.
FloorCount ReadFloor(const std::vector<KeyRef>& keys) {
    FloorCount count;
    std::vector<BYTE> data;
    WCHAR szName[1024];
    for (const KeyRef& key : keys) {
        HKEY hKey = nullptr;
        if (RegOpenKeyEx(key.root, key.path, 0, 0, &hKey) != ERROR_SUCCESS) continue;
        DWORD cbMaxData = 0;
        RegQueryInfoKey(hKey, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                        nullptr, &cbMaxData, nullptr, nullptr);
        data.assign(cbMaxData + 256, 0);
        for (DWORD i = 0;; ++i) {
            DWORD cchName = 1024;
            DWORD cbData = DWORD(data.size());
            DWORD dwType = REG_NONE;
            if (RegEnumValue(hKey, i, szName, &cchName, nullptr, &dwType, data.data(), &cbData) !=
                ERROR_SUCCESS)
                break;
            ++count.values;
            count.characters +=
                CBrackwellDoc::DescribeValue(dwType, data.data(), cbData).strText.GetLength();
        }
        RegCloseKey(hKey);
    }
    return count;
}

// Best of three runs of a search step from the first root that finds nothing;
// *first, when given, gets the first run's time.
double TimeStep(CBrackwellDoc& doc, CBrackwellView& view, const SearchSettings& settings,
                bool* found, double* first = nullptr) {
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        view.GetTreeCtrl().SelectItem(view.GetTreeCtrl().GetRootItem());
        doc.ResetSearch();
        const auto start = Clock::now();
        *found = doc.FindNext(settings) || *found;
        const double seconds = SecondsSince(start);
        if (run == 0 && first) *first = seconds;
        best = std::min(best, seconds);
    }
    return best;
}

bool RunSize(const std::string& folder, const brackwell::bench::SyntheticShape& shape) {
    using namespace brackwell;
    const std::string path = folder + "/search-" + std::to_string(shape.keys) + ".sqlite3";
    bench::SyntheticStats stats;
    std::string error;
    if (!bench::MakeSyntheticRegistryFile(shape, path, &stats, &error) ||
        !registry::OpenDeviceRegistry(path).ok) {
        std::fprintf(stderr, "generating failed: %s\n", error.c_str());
        return false;
    }
    if (!AfxWinInitForTests()) {
        std::fprintf(stderr, "the program did not start\n");
        return false;
    }
    auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    auto* doc = dynamic_cast<CBrackwellDoc*>(frame->GetActiveDocument());
    POSITION pos = doc->GetFirstViewPosition();
    doc->GetNextView(pos);
    auto* view = dynamic_cast<CBrackwellView*>(doc->GetNextView(pos));

    const double afterStart = ResidentMiB();
    // '#' appears in no generated name or text.
    bool found = false;
    double firstStep = 0;
    const double step =
        TimeStep(*doc, *view, {u"#", TRUE, TRUE, TRUE, FALSE}, &found, &firstStep);
    const double keysOnly = TimeStep(*doc, *view, {u"#", TRUE, FALSE, FALSE, FALSE}, &found);

    std::vector<KeyRef> refs;
    CollectKeys(*doc, *view, view->GetTreeCtrl().GetRootItem(), &refs);
    double floor = 1e9;
    FloorCount count;
    for (int run = 0; run < 3; ++run) {
        const auto start = Clock::now();
        count = ReadFloor(refs);
        floor = std::min(floor, SecondsSince(start));
    }

    const double afterStep = ResidentMiB();

    AfxWinTermForTests();
    registry::CloseDeviceRegistry();
    double select = 1e9;
    for (int run = 0; run < 3; ++run) select = std::min(select, BareValueSelect(path));
    std::filesystem::remove(path);
    std::filesystem::remove(path + "-journal");
    std::filesystem::remove(path + "-lock");

    const double perKey = 1e6 / double(refs.size());
    std::printf("\n== %zu keys, %zu values (average depth %.2f, largest fan-out %zu)\n", stats.keys,
                stats.values, stats.averageDepth, stats.largestFanOut);
    if (found)
        std::printf("  a step found a match: the figures below do not walk the whole tree\n");
    std::printf("  %-56s %8.3f s %7.3f us/key\n",
                "search step to the end (keys, values, data), best of 3", step, step * perKey);
    std::printf("  %-56s %8.3f s %7.3f us/key\n",
                "  the first step after start-up (reads every value)", firstStep,
                firstStep * perKey);
    std::printf("  %-56s %8.3f s %7.3f us/key\n",
                "search step to the end (key names only), best of 3", keysOnly, keysOnly * perKey);
    std::printf(
        "  %-56s %8.3f s %7.3f us/key  (%zu keys, %zu values, %zu characters of Data text)\n",
        "bare read floor: same reads without the tree, best of 3", floor, floor * perKey,
        refs.size(), count.values, count.characters);
    std::printf("  %-56s %8.3f s %7.3f us/key\n", "bare SELECT of every value row, best of 3",
                select, select * perKey);
    std::printf("  %-56s %8.2f\n", "ratio search step / bare read floor", step / floor);
    std::printf("  resident memory: %.1f MiB after start-up (tree filled), %.1f after the steps\n",
                afterStart, afterStep);
    return !found;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    brackwell::resources::Register();
    std::string folder =
        (std::filesystem::temp_directory_path() / "brackwell-bench-XXXXXX").string();
    if (!mkdtemp(folder.data())) return 1;
    const std::vector<brackwell::bench::SyntheticShape> shapes =
        brackwell::bench::ShapesFromArguments(argc, argv,
                                              {{10000, 3.0}, {100000, 3.0}, {700000, 1.7}});
    std::printf("Targets at 700,000 keys: search step <= 1.5 s and <= 1.5 x the bare read floor\n");
    bool ok = true;
    for (const auto& shape : shapes) ok = RunSize(folder, shape) && ok;
    std::filesystem::remove_all(folder);
    return ok ? 0 : 1;
}
