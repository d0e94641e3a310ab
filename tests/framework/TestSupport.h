#pragma once
// Helpers for the framework tests: a Qt application, a parent window that
// records the notifications of its controls, and synthetic clicks.

#include <QPoint>
#include <ostream>
#include <vector>

#include "framework/afxwin.h"

class QWidget;

void EnsureQtApplication();

// Readable CString values in test failures.
void PrintTo(const CString& value, std::ostream* os);

// A top-level window that records every WM_NOTIFY of its children in order.
class CNotifyRecorder : public CWnd {
public:
    struct Record {
        UINT code = 0;
        UINT_PTR id = 0;
        HTREEITEM hOld = nullptr;
        HTREEITEM hNew = nullptr;
        LPARAM newData = 0;
        HTREEITEM caretDuringNotify = nullptr;
        int item = -1;
        bool hasText = false;
        CString text;
        UINT newState = 0;
        UINT oldState = 0;
        int selectedDuringNotify = -1;
    };

    CNotifyRecorder();
    ~CNotifyRecorder() override;

    std::vector<Record> records;
    // Result the end-label-edit handler reports (TRUE applies the text).
    LRESULT endEditResult = 0;
    CTreeCtrl* tree = nullptr;
    CListCtrl* list = nullptr;

    std::vector<UINT> Codes() const;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

void Click(QWidget* viewport, QPoint point);
void DoubleClick(QWidget* viewport, QPoint point);
// Runs the event loop briefly so queued work (delayed edits, idle pass) runs.
void Spin(int milliseconds = 0);
