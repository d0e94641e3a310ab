// Times the binary value editor on long values: opening it (filling the
// byte list) with its first layout and paint, the memory it takes while
// open, pressing OK (every label read back into a new buffer), and Insert,
// Append and Delete at offset 0, each laid out and painted again. The floor
// of each is the same work on a bare list control of the same style: the
// same labels inserted, shown and painted, one label inserted or deleted.
// Each size runs in a process of its own; times are medians of 3 runs.
// Runs through the modal driver on the offscreen platform.
// Usage: bench_binary_dialog [BYTES]...  (default: 10000 100000 1048576)

#include <QCoreApplication>
#include <QPixmap>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "bench/bench_clock.h"
#include "bench/bench_process.h"
#include "bench/bench_table.h"
#include "dialogs/CBinaryDlg.h"
#include "framework/CListCtrl.h"
#include "framework/CWinApp.h"
#include "resources/resource.h"
#include "resources/resources.h"

namespace {

using namespace brackwell::bench;

constexpr int kRuns = 3;
constexpr DWORD kByteListStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_ICON | LVS_SINGLESEL |
                                 LVS_SHOWSELALWAYS | LVS_EDITLABELS | LVS_AUTOARRANGE;

// Lays the list out and paints the window, as the first frame on screen
// would. The list lays its items out from the event loop, not when painted,
// so the pending events run first.
void Paint(QWidget* window) {
    QCoreApplication::processEvents();
    (void)window->grab();
}

CListCtrl& List(CDialog& dlg) {
    return *dynamic_cast<CListCtrl*>(dlg.GetDlgItem(IDC_VALUE));
}

void Click(CDialog& dlg, int id) {
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), WORD(BN_CLICKED)),
                    reinterpret_cast<LPARAM>(dlg.GetDlgItem(id)->m_hWnd));
}

CString Label(BYTE byte) {
    CString label;
    label.Format(u"%02X", unsigned(byte));
    return label;
}

struct Run {
    double open = 0;    // DoModal until the dialog is up: the list filled
    double paint = 0;   // its first layout and paint
    double memory = 0;  // MiB more resident while open
    double ok = 0;      // pressing OK: labels read into a new buffer
    double insert = 0;  // Insert at offset 0, painted
    double append = 0;  // Append, painted
    double remove = 0;  // Delete of the first byte, painted
};

Run RunDialog(std::vector<BYTE>& bytes) {
    Run run;
    CBinaryDlg dlg(u"Modify binary value", u"Blob", bytes.data(), DWORD(bytes.size()));
    Clock::time_point mark;
    const double before = ResidentMiB();
    AfxSetModalDialogDriver([&](CDialog& live) -> INT_PTR {
        run.open = SecondsSince(mark);
        Clock::time_point start = Clock::now();
        Paint(live.m_hWnd);
        run.paint = SecondsSince(start);
        run.memory = ResidentMiB() - before;
        List(live).SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
        for (auto [id, figure] :
             {std::pair{IDC_INSERT, &Run::insert}, std::pair{IDC_APPEND, &Run::append},
              std::pair{IDC_DELETE, &Run::remove}}) {
            start = Clock::now();
            Click(live, id);
            Paint(live.m_hWnd);
            run.*figure = SecondsSince(start);
            List(live).SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
        }
        start = Clock::now();
        Click(live, IDOK);
        run.ok = SecondsSince(start);
        return IDOK;
    });
    mark = Clock::now();
    dlg.DoModal();
    AfxSetModalDialogDriver({});
    if (dlg.m_nLength != bytes.size() + 1)
        std::fprintf(stderr, "unexpected length %u\n", dlg.m_nLength);
    delete[] dlg.m_pData;
    return run;
}

// The same work on a bare list control of the byte list's style and size.
Run RunFloor(const std::vector<BYTE>& bytes, QSize listSize) {
    Run run;
    CWnd parent;
    CListCtrl list;
    const RECT rect{0, 0, listSize.width(), listSize.height()};
    parent.CreateEx(0, nullptr, u"floor", WS_OVERLAPPEDWINDOW, rect, nullptr, 0);
    list.CreateEx(0, WC_LISTVIEW, nullptr, kByteListStyle, rect, &parent, IDC_VALUE);
    const double before = ResidentMiB();
    Clock::time_point start = Clock::now();
    for (std::size_t i = 0; i < bytes.size(); ++i) list.InsertItem(int(i), Label(bytes[i]));
    run.open = SecondsSince(start);
    start = Clock::now();
    parent.m_hWnd->show();
    Paint(parent.m_hWnd);
    run.paint = SecondsSince(start);
    run.memory = ResidentMiB() - before;
    start = Clock::now();
    list.InsertItem(0, u"00");
    Paint(parent.m_hWnd);
    run.insert = SecondsSince(start);
    start = Clock::now();
    list.DeleteItem(0);
    Paint(parent.m_hWnd);
    run.remove = SecondsSince(start);
    parent.DestroyWindow();
    return run;
}

QSize ByteListSize() {
    QSize size;
    CBinaryDlg dlg(u"", u"", nullptr, 0);
    AfxSetModalDialogDriver([&](CDialog& live) -> INT_PTR {
        size = List(live).m_hWnd->size();
        return IDCANCEL;
    });
    dlg.DoModal();
    AfxSetModalDialogDriver({});
    return size;
}

double Median(std::vector<Run> runs, double Run::*figure) {
    std::sort(runs.begin(), runs.end(),
              [figure](const Run& a, const Run& b) { return a.*figure < b.*figure; });
    return runs[runs.size() / 2].*figure;
}

struct Figures {
    Run dialog;
    Run floor;
};

bool Measure(std::size_t size, Figures* figures) {
    AfxWinInitForTests();
    brackwell::resources::Register();
    std::vector<BYTE> bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = BYTE(i * 31 + 7);
    // The first open loads fonts and styles; it is not counted.
    std::vector<BYTE> warmUp(16);
    RunDialog(warmUp);
    const QSize listSize = ByteListSize();
    // The memory of the first open of each counts, before any allocation is reused.
    std::vector<Run> dialog{RunDialog(bytes)}, floor{RunFloor(bytes, listSize)};
    for (int run = 1; run < kRuns; ++run) {
        dialog.push_back(RunDialog(bytes));
        floor.push_back(RunFloor(bytes, listSize));
    }
    figures->dialog.memory = dialog.front().memory;
    figures->floor.memory = floor.front().memory;
    for (double Run::*figure :
         {&Run::open, &Run::paint, &Run::ok, &Run::insert, &Run::append, &Run::remove}) {
        figures->dialog.*figure = Median(dialog, figure);
        figures->floor.*figure = Median(floor, figure);
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::vector<std::size_t> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::strtoul(argv[i], nullptr, 10));
    if (sizes.empty()) sizes = {10000, 100000, 1048576};

    std::vector<std::string> columns;
    std::vector<std::pair<double, Figures>> results;
    for (std::size_t size : sizes) {
        const auto figures = InChild<Figures>([size](Figures* f) { return Measure(size, f); });
        if (!figures) {
            std::fprintf(stderr, "no figures for %zu bytes\n", size);
            return 1;
        }
        columns.push_back(Count(size, "bytes"));
        results.push_back({double(size), *figures});
    }

    FigureTable table(columns);
    auto row = [&](const char* label, auto cell) {
        std::vector<std::string> cells;
        for (const auto& [bytes, f] : results) cells.push_back(cell(bytes, f.dialog, f.floor));
        table.Row(label, cells);
    };
    auto opened = [](const Run& r) { return r.open + r.paint; };
    row("open: list filled", [](double, const Run& d, const Run&) { return Seconds(d.open); });
    row("  first layout and paint",
        [](double, const Run& d, const Run&) { return Seconds(d.paint); });
    row("  in all", [&](double, const Run& d, const Run&) { return Seconds(opened(d)); });
    row("  per byte", [&](double n, const Run& d, const Run&) { return Micros(opened(d) / n); });
    row("floor: the labels into a bare list, painted",
        [&](double, const Run&, const Run& f) { return Seconds(opened(f)); });
    row("ratio", [&](double, const Run& d, const Run& f) { return Ratio(opened(d) / opened(f)); });
    row("memory more while open", [](double, const Run& d, const Run&) { return MiB(d.memory); });
    row("  per byte",
        [](double n, const Run& d, const Run&) { return Bytes(d.memory * 1024 * 1024 / n); });
    row("floor: the bare list's", [](double, const Run&, const Run& f) { return MiB(f.memory); });
    row("ratio", [](double, const Run& d, const Run& f) { return Ratio(d.memory / f.memory); });
    row("Insert at offset 0, painted",
        [](double, const Run& d, const Run&) { return Seconds(d.insert); });
    row("floor: one label inserted first, painted",
        [](double, const Run&, const Run& f) { return Seconds(f.insert); });
    row("ratio", [](double, const Run& d, const Run& f) { return Ratio(d.insert / f.insert); });
    row("Delete at offset 0, painted",
        [](double, const Run& d, const Run&) { return Seconds(d.remove); });
    row("floor: the first label deleted, painted",
        [](double, const Run&, const Run& f) { return Seconds(f.remove); });
    row("ratio", [](double, const Run& d, const Run& f) { return Ratio(d.remove / f.remove); });
    row("Append, painted", [](double, const Run& d, const Run&) { return Seconds(d.append); });
    row("OK: every label read back",
        [](double, const Run& d, const Run&) { return Seconds(d.ok); });
    row("  per byte", [](double n, const Run& d, const Run&) { return Micros(d.ok / n); });
    std::printf(
        "Targets at 1 MiB: open in all <= 1.0 s with <= 64 MiB more memory; "
        "Insert and Delete at offset 0 <= 0.2 s\n");
    table.Print();
    return 0;
}
