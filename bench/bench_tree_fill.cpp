// Times the document's FillTree, which reads the whole registry into the key
// tree at start-up and on Refresh, on generated registries, against a floor:
// inserting the same items (text, image, root data, sorted first level) into
// the same tree control with no registry access. Prints both, their ratio and
// the resident memory after the fill.
// Usage: bench_tree_fill [KEYS]...  (default: 10000 100000; 3 values per key)

#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/bench_clock.h"
#include "bench/synthetic_registry.h"
#include "document/CBrackwellDoc.h"
#include "framework/CWinApp.h"
#include "registry/device_registry.h"
#include "resources/resources.h"
#include "shell/CBrackwellView.h"
#include "shell/CMainFrame.h"

namespace {

using brackwell::bench::Clock;
using brackwell::bench::SecondsSince;

double ResidentMiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return -1;
}

struct Node {
    int parent;  // index of the parent node, -1 at the top level
    CString text;
    DWORD_PTR data;
};

void Capture(const CTreeCtrl& tree, HTREEITEM item, int parent, std::vector<Node>* nodes) {
    for (; item; item = tree.GetNextSiblingItem(item)) {
        nodes->push_back({parent, tree.GetItemText(item), tree.GetItemData(item)});
        Capture(tree, tree.GetChildItem(item), int(nodes->size()) - 1, nodes);
    }
}

void InsertFloor(CTreeCtrl& tree, const std::vector<Node>& nodes) {
    tree.DeleteAllItems();
    std::vector<HTREEITEM> items(nodes.size());
    std::vector<HTREEITEM> roots;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const Node& node = nodes[i];
        items[i] = tree.InsertItem(node.text, node.parent < 0 ? TVI_ROOT : items[node.parent], TVI_LAST);
        tree.SetItemImage(items[i], 0, 0);
        if (node.parent < 0) {
            tree.SetItemData(items[i], node.data);
            roots.push_back(items[i]);
        }
    }
    for (HTREEITEM root : roots) tree.SortChildren(root);
}

// Writes the generated registry from a child process, so that the memory the
// generator takes is not counted against the program.
bool WriteRegistry(const std::string& path, std::size_t keys, brackwell::bench::SyntheticStats* stats) {
    using namespace brackwell;
    int channel[2];
    if (pipe(channel) != 0) return false;
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        bench::SyntheticStats generated;
        std::string error;
        const bool ok = registry::OpenDeviceRegistry(path).ok &&
                        bench::FillSyntheticRegistry({keys, 3.0, 20240611}, &generated, &error);
        if (!ok) std::fprintf(stderr, "generating failed: %s\n", error.c_str());
        registry::CloseDeviceRegistry();
        const bool sent = write(channel[1], &generated, sizeof generated) == ssize_t(sizeof generated);
        _exit(ok && sent ? 0 : 1);
    }
    close(channel[1]);
    const bool received = child > 0 && read(channel[0], stats, sizeof *stats) == ssize_t(sizeof *stats);
    close(channel[0]);
    int status = 1;
    if (child > 0) waitpid(child, &status, 0);
    return received && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool RunSize(const std::string& folder, std::size_t keys) {
    using namespace brackwell;
    const std::string path = folder + "/tree-" + std::to_string(keys) + ".sqlite3";
    bench::SyntheticStats stats;
    if (!WriteRegistry(path, keys, &stats)) return false;
    if (auto opened = registry::OpenDeviceRegistry(path); !opened.ok) {
        std::fprintf(stderr, "%s\n", opened.error.c_str());
        return false;
    }

    const double residentBefore = ResidentMiB();
    auto start = Clock::now();
    if (!AfxWinInitForTests()) {
        std::fprintf(stderr, "the program did not start\n");
        return false;
    }
    const double startUp = SecondsSince(start);
    const double residentAtStart = ResidentMiB();
    auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    auto* doc = dynamic_cast<CBrackwellDoc*>(frame->GetActiveDocument());
    POSITION pos = doc->GetFirstViewPosition();
    doc->GetNextView(pos);
    auto* view = dynamic_cast<CBrackwellView*>(doc->GetNextView(pos));
    CTreeCtrl& tree = view->GetTreeCtrl();

    double fill = 1e9;
    for (int run = 0; run < 3; ++run) {
        start = Clock::now();
        doc->FillTree(view);
        fill = std::min(fill, SecondsSince(start));
    }
    const double residentAfterRefills = ResidentMiB();
    const unsigned items = tree.GetCount();

    std::vector<Node> nodes;
    Capture(tree, tree.GetRootItem(), -1, &nodes);
    double floor = 1e9;
    for (int run = 0; run < 3; ++run) {
        start = Clock::now();
        InsertFloor(tree, nodes);
        floor = std::min(floor, SecondsSince(start));
    }

    AfxWinTermForTests();
    registry::CloseDeviceRegistry();
    std::filesystem::remove(path);

    std::printf("\n== %zu keys, %zu values (average depth %.2f, largest fan-out %zu)\n", stats.keys,
                stats.values, stats.averageDepth, stats.largestFanOut);
    std::printf("  %-52s %8.3f s\n", "start-up (frame, views, first fill)", startUp);
    std::printf("  %-52s %8.3f s  (%u items)\n", "FillTree, best of 3", fill, items);
    std::printf("  %-52s %8.3f s\n", "floor: same items into the same tree, best of 3", floor);
    std::printf("  %-52s %8.2f\n", "ratio FillTree / floor", fill / floor);
    std::printf("  %-52s %8.1f MiB\n", "resident memory with the registry written and open", residentBefore);
    std::printf("  %-52s %8.1f MiB\n", "resident memory after start-up (one fill)", residentAtStart);
    std::printf("  %-52s %8.1f MiB\n", "resident memory after three more fills", residentAfterRefills);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    brackwell::resources::Register();
    std::string folder = (std::filesystem::temp_directory_path() / "brackwell-bench-XXXXXX").string();
    if (!mkdtemp(folder.data())) return 1;
    std::vector<std::size_t> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::stoul(argv[i]));
    if (sizes.empty()) sizes = {10000, 100000};
    std::printf("Targets at 100,000 keys: FillTree <= 1.0 s, ratio <= 3, resident memory <= 200 MiB\n");
    bool ok = true;
    for (std::size_t keys : sizes) ok = RunSize(folder, keys) && ok;
    std::filesystem::remove_all(folder);
    return ok ? 0 : 1;
}
