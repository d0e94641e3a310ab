#pragma once
// The one message-box wrapper. A responder set by tests answers boxes
// instead of showing them.

#include <functional>

#include "framework/CString.h"

class CWnd;

struct AfxMessageBoxRequest {
    CWnd* pOwner = nullptr;
    CString text;
    CString caption;
    UINT type = 0;  // MB_ buttons | MB_ icon
};

using AfxMessageBoxResponder = std::function<int(const AfxMessageBoxRequest&)>;

// An empty responder restores real modal boxes.
void AfxSetMessageBoxResponder(AfxMessageBoxResponder responder);

// Owned by the main window, captioned with the application name. Returns
// IDOK or IDCANCEL.
int AfxMessageBox(LPCWSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);

// Shows a box (or asks the responder): MB_OK or MB_OKCANCEL with the MB_ICON
// style; returns IDOK or IDCANCEL.
int AfxShowMessageBox(CWnd* pOwner, LPCWSTR lpszText, LPCWSTR lpszCaption, UINT nType);
