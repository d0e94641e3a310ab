// Times one search step that finds nothing, so it walks a generated registry
// from the first root to the end of the key tree reading every key's values,
// against a floor: the same registry reads with no tree walk (for each key,
// open it by path, ask for its largest data size, enumerate its values and
// build their Data text). Prints both and their ratio.
// Usage: bench_search [KEYS]...  (default: 100000; 3 values per key)

#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_clock.h"
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
using brackwell::bench::SecondsSince;

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

// Best of three runs of a search step from the first root that finds nothing.
double TimeStep(CBrackwellDoc& doc, CBrackwellView& view, const SearchSettings& settings,
                bool* found) {
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        view.GetTreeCtrl().SelectItem(view.GetTreeCtrl().GetRootItem());
        doc.ResetSearch();
        const auto start = Clock::now();
        *found = doc.FindNext(settings) || *found;
        best = std::min(best, SecondsSince(start));
    }
    return best;
}

bool RunSize(const std::string& folder, std::size_t keys) {
    using namespace brackwell;
    const std::string path = folder + "/search-" + std::to_string(keys) + ".sqlite3";
    bench::SyntheticStats stats;
    std::string error;
    if (!registry::OpenDeviceRegistry(path).ok ||
        !bench::FillSyntheticRegistry({keys, 3.0, 20240611}, &stats, &error)) {
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

    // '#' appears in no generated name or text.
    bool found = false;
    const double step = TimeStep(*doc, *view, {u"#", TRUE, TRUE, TRUE, FALSE}, &found);
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

    AfxWinTermForTests();
    registry::CloseDeviceRegistry();
    std::filesystem::remove(path);

    std::printf("\n== %zu keys, %zu values (average depth %.2f, largest fan-out %zu)\n", stats.keys,
                stats.values, stats.averageDepth, stats.largestFanOut);
    if (found)
        std::printf("  a step found a match: the figures below do not walk the whole tree\n");
    std::printf("  %-56s %8.3f s\n", "search step to the end (keys, values, data), best of 3",
                step);
    std::printf("  %-56s %8.3f s\n", "search step to the end (key names only), best of 3",
                keysOnly);
    std::printf("  %-56s %8.3f s  (%zu keys, %zu values, %zu characters of Data text)\n",
                "floor: same reads without the tree, best of 3", floor, refs.size(), count.values,
                count.characters);
    std::printf("  %-56s %8.2f\n", "ratio search step / floor", step / floor);
    return !found;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    brackwell::resources::Register();
    std::string folder =
        (std::filesystem::temp_directory_path() / "brackwell-bench-XXXXXX").string();
    if (!mkdtemp(folder.data())) return 1;
    std::vector<std::size_t> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::stoul(argv[i]));
    if (sizes.empty()) sizes = {100000};
    std::printf("Targets at 100,000 keys: search step <= 1.0 s, ratio <= 2\n");
    bool ok = true;
    for (std::size_t keys : sizes) ok = RunSize(folder, keys) && ok;
    std::filesystem::remove_all(folder);
    return ok ? 0 : 1;
}
