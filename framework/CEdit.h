#pragma once
// Edit control: one line, or several (ES_MULTILINE) without wrapping, so
// each line is one the user ended with Enter. Multi-line text uses "\r\n"
// between lines in SetWindowText / GetWindowText.

#include "framework/CWnd.h"

class CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
public:
    CEdit();

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    BOOL SetReadOnly(BOOL bReadOnly = TRUE);
    int GetLineCount() const;
    // Copies line nIndex without a terminator; the buffer's first character
    // holds its capacity. Returns the characters copied.
    int GetLine(int nIndex, LPWSTR lpszBuffer) const;
    int GetLine(int nIndex, LPWSTR lpszBuffer, int nMaxLength) const;
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);

protected:
    HWND CreateWidget(CREATESTRUCT& cs) override;
};
