// Times the document's FillTree, which reads the whole registry into the key
// tree at start-up and on Refresh, on generated registries, against its
// floor: the same inserts (text, image, root data, sorted first level) into
// the same tree control with no registry access. Also the control's own
// memory per item: the same items inserted into a control of their own.
// Each size runs in a process of its own. Generated registries are kept in
// $BRACKWELL_BENCH_CACHE when set (building 700,000 keys takes a while).
// Usage: bench_tree_fill [KEYS[:VALUES_PER_KEY]]...  (default: 10000 100000 700000:1.7;
// 3 values per key unless given)

#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_clock.h"
#include "bench/bench_process.h"
#include "bench/bench_table.h"
#include "bench/synthetic_registry.h"
#include "document/CBrackwellDoc.h"
#include "framework/CWinApp.h"
#include "registry/device_registry.h"
#include "resources/resources.h"
#include "shell/CBrackwellView.h"
#include "shell/CMainFrame.h"

namespace {

using namespace brackwell::bench;

constexpr int kRuns = 3;

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

// items: room for a handle per node.
void InsertFloor(CTreeCtrl& tree, const std::vector<Node>& nodes, std::vector<HTREEITEM>& items) {
    tree.DeleteAllItems();
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const Node& node = nodes[i];
        items[i] =
            tree.InsertItem(node.text, node.parent < 0 ? TVI_ROOT : items[node.parent], TVI_LAST);
        tree.SetItemImage(items[i], 0, 0);
        if (node.parent < 0) tree.SetItemData(items[i], node.data);
    }
    for (std::size_t i = 0; i < nodes.size(); ++i)
        if (nodes[i].parent < 0) tree.SortChildren(items[i]);
}

struct Figures {
    std::size_t items = 0;
    double startUp = 0;       // frame, views and the first fill
    double fill = 0;          // FillTree, best of kRuns
    double floor = 0;         // the same inserts without the store, best of kRuns
    double bytesPerItem = 0;  // the control's own resident memory per item
    double resident = 0;      // MiB after start-up
};

// The control's resident memory for the items, in a control of its own.
double ControlBytesPerItem(const std::vector<Node>& nodes) {
    CWnd parent;
    CTreeCtrl tree;
    const RECT rect{0, 0, 200, 200};
    parent.CreateEx(0, nullptr, u"bench", WS_OVERLAPPEDWINDOW, rect, nullptr, 0);
    tree.CreateEx(0, WC_TREEVIEW, nullptr, WS_CHILD | WS_VISIBLE, rect, &parent, 1);
    std::vector<HTREEITEM> items(nodes.size());
    const double before = ResidentMiB();
    InsertFloor(tree, nodes, items);
    const double after = ResidentMiB();
    parent.DestroyWindow();
    return (after - before) * 1024 * 1024 / double(nodes.size());
}

bool Measure(const std::string& path, Figures* figures) {
    using namespace brackwell;
    if (auto opened = registry::OpenDeviceRegistry(path); !opened.ok) {
        std::fprintf(stderr, "%s\n", opened.error.c_str());
        return false;
    }
    auto start = Clock::now();
    if (!AfxWinInitForTests()) {
        std::fprintf(stderr, "the program did not start\n");
        return false;
    }
    figures->startUp = SecondsSince(start);
    figures->resident = ResidentMiB();
    auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    auto* doc = dynamic_cast<CBrackwellDoc*>(frame->GetActiveDocument());
    POSITION pos = doc->GetFirstViewPosition();
    doc->GetNextView(pos);
    auto* view = dynamic_cast<CBrackwellView*>(doc->GetNextView(pos));
    CTreeCtrl& tree = view->GetTreeCtrl();

    figures->fill = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        start = Clock::now();
        doc->FillTree(view);
        figures->fill = std::min(figures->fill, SecondsSince(start));
    }
    figures->items = tree.GetCount();

    std::vector<Node> nodes;
    Capture(tree, tree.GetRootItem(), -1, &nodes);
    std::vector<HTREEITEM> items(nodes.size());
    figures->floor = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        start = Clock::now();
        InsertFloor(tree, nodes, items);
        figures->floor = std::min(figures->floor, SecondsSince(start));
    }
    figures->bytesPerItem = ControlBytesPerItem(nodes);
    AfxWinTermForTests();
    registry::CloseDeviceRegistry();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    brackwell::resources::Register();
    const std::vector<SyntheticShape> shapes =
        ShapesFromArguments(argc, argv, {{10000, 3.0}, {100000, 3.0}, {700000, 1.7}});

    std::string folder =
        (std::filesystem::temp_directory_path() / "brackwell-bench-XXXXXX").string();
    if (!mkdtemp(folder.data())) return 1;
    std::vector<std::string> columns;
    std::vector<Figures> results;
    for (const SyntheticShape& shape : shapes) {
        const std::size_t keys = shape.keys;
        const std::string path = folder + "/tree-" + std::to_string(keys) + ".sqlite3";
        std::string error;
        const bool made = MakeSyntheticRegistryFile(shape, path, nullptr, &error);
        const auto figures =
            made ? InChild<Figures>([&](Figures* f) { return Measure(path, f); }) : std::nullopt;
        if (!figures) {
            std::fprintf(stderr, "no figures for %zu keys %s\n", keys, error.c_str());
            std::filesystem::remove_all(folder);
            return 1;
        }
        columns.push_back(Count(keys, "keys"));
        results.push_back(*figures);
    }
    std::filesystem::remove_all(folder);

    FigureTable table(columns);
    auto row = [&](const char* label, auto cell) {
        std::vector<std::string> cells;
        for (const Figures& f : results) cells.push_back(cell(f));
        table.Row(label, cells);
    };
    row("items in the tree", [](const Figures& f) { return Count(f.items, ""); });
    row("FillTree, best of 3", [](const Figures& f) { return Seconds(f.fill); });
    row("  per key", [](const Figures& f) { return Micros(f.fill / double(f.items)); });
    row("floor: the same inserts, no store", [](const Figures& f) { return Seconds(f.floor); });
    row("  per key", [](const Figures& f) { return Micros(f.floor / double(f.items)); });
    row("ratio FillTree / floor", [](const Figures& f) { return Ratio(f.fill / f.floor); });
    row("the control's memory per item", [](const Figures& f) { return Bytes(f.bytesPerItem); });
    row("start-up (frame, views, first fill)", [](const Figures& f) { return Seconds(f.startUp); });
    row("resident memory after start-up", [](const Figures& f) { return MiB(f.resident); });
    row("  per key",
        [](const Figures& f) { return Bytes(f.resident * 1024 * 1024 / double(f.items)); });
    std::printf(
        "Targets at 700,000 keys: FillTree <= 1.0 s; an item of the control a few dozen bytes\n");
    table.Print();
    return 0;
}
