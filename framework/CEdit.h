#pragma once
// Edit control: one line, or several (ES_MULTILINE) without wrapping, so
// each line is one the user ended with Enter. Multi-line text uses "\r\n"
// between lines in SetWindowText / GetWindowText.

#include "framework/CWnd.h"

class CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
public:
    CEdit();

    BOOL SetReadOnly(BOOL bReadOnly = TRUE);
    int GetLineCount() const;
    // Copies at most nMaxLength characters of line nIndex, without a
    // terminator. Returns the characters copied.
    int GetLine(int nIndex, LPWSTR lpszBuffer, int nMaxLength) const;

protected:
    HWND CreateWidget(CREATESTRUCT& cs) override;
};
