#include "tests/framework/TestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

void EnsureQtApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "framework-tests";
    static char* argv[] = {name, nullptr};
    static QApplication* application = new QApplication(argc, argv);
    application->setQuitOnLastWindowClosed(false);
}

void PrintTo(const CString& value, std::ostream* os) { *os << '"' << value.ToQString().toStdString() << '"'; }

CNotifyRecorder::CNotifyRecorder() {
    EnsureQtApplication();
    const RECT rect{0, 0, 300, 300};
    CreateEx(0, nullptr, u"recorder", WS_OVERLAPPEDWINDOW, rect, nullptr, 0);
}

CNotifyRecorder::~CNotifyRecorder() {
    if (m_hWnd) DestroyWindow();
}

std::vector<UINT> CNotifyRecorder::Codes() const {
    std::vector<UINT> codes;
    for (const Record& r : records) codes.push_back(r.code);
    return codes;
}

BOOL CNotifyRecorder::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    Record r;
    r.code = hdr->code;
    r.id = hdr->idFrom;
    if (hdr->code == TVN_SELCHANGED) {
        auto* nm = reinterpret_cast<NMTREEVIEW*>(hdr);
        r.hOld = nm->itemOld.hItem;
        r.hNew = nm->itemNew.hItem;
        r.newData = nm->itemNew.lParam;
        if (tree) r.caretDuringNotify = tree->GetSelectedItem();
    } else if (hdr->code == LVN_BEGINLABELEDIT || hdr->code == LVN_ENDLABELEDIT) {
        auto* nm = reinterpret_cast<NMLVDISPINFO*>(hdr);
        r.item = nm->item.iItem;
        r.hasText = nm->item.pszText != nullptr;
        if (r.hasText) r.text = nm->item.pszText;
        if (hdr->code == LVN_ENDLABELEDIT) *pResult = endEditResult;
    } else if (hdr->code == LVN_ITEMCHANGED) {
        auto* nm = reinterpret_cast<NMLISTVIEW*>(hdr);
        r.item = nm->iItem;
        r.newState = nm->uNewState;
        r.oldState = nm->uOldState;
    } else if (hdr->code == NM_CLICK || hdr->code == NM_DBLCLK) {
        r.item = reinterpret_cast<NMITEMACTIVATE*>(hdr)->iItem;
    }
    if (list) r.selectedDuringNotify = list->GetNextItem(-1, LVNI_SELECTED);
    records.push_back(r);
    return TRUE;
}

void Click(QWidget* viewport, QPoint point) { QTest::mouseClick(viewport, Qt::LeftButton, {}, point); }

void DoubleClick(QWidget* viewport, QPoint point) {
    QTest::mouseClick(viewport, Qt::LeftButton, {}, point);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, point);
}

void Spin(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    } while (timer.elapsed() < milliseconds);
}
