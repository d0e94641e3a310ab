// Times the binary value editor on a long value: opening it (filling the
// byte list), its first paint (laying the list out), pressing OK (reading
// every label back into a new buffer), and Insert, Append and Delete, after
// each of which the list lays every byte out again. Runs through the modal
// driver on the offscreen platform unless another is chosen.
// Usage: bench_binary_dialog [BYTES]...  (default: 4096 65536)

#include <QCoreApplication>
#include <QPixmap>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "dialogs/CBinaryDlg.h"
#include "framework/CListCtrl.h"
#include "framework/CWinApp.h"
#include "resources/resource.h"
#include "resources/resources.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Lays the list out and paints the dialog, as the first frame on screen
// would. The list lays its items out from the event loop, not when painted,
// so the pending events run first.
void Paint(CDialog& dlg) {
    QCoreApplication::processEvents();
    (void)dlg.m_hWnd->grab();
}

CListCtrl& List(CDialog& dlg) { return *dynamic_cast<CListCtrl*>(dlg.GetDlgItem(IDC_VALUE)); }

void Click(CDialog& dlg, int id) {
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), WORD(BN_CLICKED)),
                    reinterpret_cast<LPARAM>(dlg.GetDlgItem(id)->m_hWnd));
}

struct Figures {
    double open = 0;    // DoModal until the dialog is up: the list filled
    double paint = 0;   // the first paint, which lays the list out
    double ok = 0;      // pressing OK: labels read into a new buffer
    double close = 0;   // the window destroyed, DoModal returned
    double insert = 0;  // Insert at offset 0, painted
    double append = 0;  // Append, painted
    double remove = 0;  // Delete of the first byte, painted
};

Figures RunOnce(std::vector<BYTE>& bytes, bool edit) {
    Figures figures;
    CBinaryDlg dlg(u"Modify binary value", u"Blob", bytes.data(), DWORD(bytes.size()));
    Clock::time_point mark;
    AfxSetModalDialogDriver([&](CDialog& live) -> INT_PTR {
        figures.open = MillisecondsSince(mark);
        const Clock::time_point painting = Clock::now();
        Paint(live);
        figures.paint = MillisecondsSince(painting);
        if (edit) {
            List(live).SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
            for (auto [id, figure] : {std::pair{IDC_INSERT, &Figures::insert}, std::pair{IDC_APPEND, &Figures::append},
                                      std::pair{IDC_DELETE, &Figures::remove}}) {
                const Clock::time_point start = Clock::now();
                Click(live, id);
                Paint(live);
                figures.*figure = MillisecondsSince(start);
                List(live).SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
            }
        }
        const Clock::time_point start = Clock::now();
        Click(live, IDOK);
        figures.ok = MillisecondsSince(start);
        mark = Clock::now();
        return IDOK;
    });
    mark = Clock::now();
    dlg.DoModal();
    figures.close = MillisecondsSince(mark);
    AfxSetModalDialogDriver({});
    if (dlg.m_nLength != bytes.size() + (edit ? 1 : 0)) std::fprintf(stderr, "unexpected length %u\n", dlg.m_nLength);
    delete[] dlg.m_pData;
    return figures;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    AfxWinInitForTests();
    brackwell::resources::Register();

    std::vector<std::size_t> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::strtoul(argv[i], nullptr, 10));
    if (sizes.empty()) sizes = {4096, 65536};

    constexpr int kRuns = 5;
    std::printf("%8s %10s %10s %10s %10s %10s %10s %10s   (median of %d runs, ms)\n", "bytes", "open", "paint",
                "OK", "close", "insert@0", "append", "delete@0", kRuns);
    for (std::size_t size : sizes) {
        std::vector<BYTE> bytes(size);
        for (std::size_t i = 0; i < size; ++i) bytes[i] = BYTE(i * 31 + 7);
        std::vector<double> open, paint, ok, close, insert, append, remove;
        for (int run = 0; run < kRuns; ++run) {
            const Figures plain = RunOnce(bytes, false);
            const Figures edited = RunOnce(bytes, true);
            open.push_back(plain.open);
            paint.push_back(plain.paint);
            ok.push_back(plain.ok);
            close.push_back(plain.close);
            insert.push_back(edited.insert);
            append.push_back(edited.append);
            remove.push_back(edited.remove);
        }
        std::printf("%8zu %10.1f %10.1f %10.1f %10.1f %10.1f %10.1f %10.1f\n", size, Median(open), Median(paint),
                    Median(ok), Median(close), Median(insert), Median(append), Median(remove));
    }
    return 0;
}
