#pragma once
// The handheld's command bar: one row at the top of the frame holding the
// menu bar, the tool buttons and, at the right end, the close button.
// Tool buttons are QToolButtons whose objectName is the decimal command id
// and whose "commandId" property holds the id.

#include <memory>

#include "framework/CMenu.h"
#include "framework/CWnd.h"

class AfxCommandBarState;

class CCeCommandBar : public CWnd {
    DECLARE_DYNAMIC(CCeCommandBar)
public:
    CCeCommandBar();
    ~CCeCommandBar() override;

    BOOL m_bShowSharedNewButton = TRUE;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                UINT nID = AFX_IDW_TOOLBAR);
    // Builds the menu bar from menu resource nMenuID at the start of the
    // bar. The bar keeps and owns the returned menu; null on failure. F10,
    // or Alt pressed and released alone, moves the keyboard focus to it.
    CMenu* InsertMenuBar(UINT nMenuID, WORD iButton = 0xFFFF);
    // Adds the close button that closes the main window.
    BOOL AddAdornments(DWORD dwFlags = 0);
    // Tool buttons from tool-bar resource nIDResource with images cut from
    // the bitmap of the same id.
    BOOL LoadToolBar(UINT nIDResource);
    int GetButtonCount() const;

    DWORD GetBarStyle() const { return m_dwBarStyle; }
    // CBRS_TOOLTIPS shows the tool tips.
    void SetBarStyle(DWORD dwStyle);

protected:
    // TB_SETTOOLTIPS: wParam strings at lParam (LPWSTR*), one per tool
    // button in order; non-zero on success. The texts are copied.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    HWND CreateWidget(CREATESTRUCT& cs) override;

private:
    void ApplyToolTips();

    std::unique_ptr<AfxCommandBarState> m_pState;
    DWORD m_dwBarStyle = 0;
};
