#pragma once
// Modal dialog built from a dialog template resource. Controls are created
// from the template's items and reached by id (GetDlgItem returns the CEdit,
// CButton, CStatic or CListCtrl wrapper). IDOK and IDCANCEL run OnOK and
// OnCancel; Escape and closing the window count as IDCANCEL.

#include <functional>
#include <memory>

#include "framework/CWnd.h"

class CDialog;
class AfxDialogState;

// Test seam: when set, DoModal builds the dialog and runs OnInitDialog, then
// hands the live dialog to the driver instead of running the event loop.
// The driver fills controls and ends the dialog (for example
// dlg.SendMessage(WM_COMMAND, IDOK), which runs OnOK). DoModal returns the
// result given to EndDialog, or the driver's result when the dialog was not
// ended; the window is then destroyed as on a real close.
using AfxModalDialogDriver = std::function<INT_PTR(CDialog&)>;
// An empty driver restores the event loop.
void AfxSetModalDialogDriver(AfxModalDialogDriver driver);

// Converts dialog units to pixels with the font's base units:
// x * baseX / 4 and y * baseY / 8, rounded to nearest.
void AfxMapDialogRect(LPRECT lpRect, SIZE baseUnits);

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // IDOK, IDCANCEL or another EndDialog result; -1 when the template is
    // missing.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    // The default returns TRUE: the framework then focuses the first tab
    // stop. Return FALSE after placing the focus yourself.
    virtual BOOL OnInitDialog();

    // Moves the focus to pWndCtrl (selecting an edit's text) and the default
    // button highlight with it, as WM_NEXTDLGCTL does.
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void MapDialogRect(LPRECT lpRect) const;
    // Average character width and height of the dialog's font.
    SIZE GetDialogBaseUnits() const;
    UINT GetTemplateID() const { return m_nIDTemplate; }

    // On the handheld dialogs may ask to cover the screen (see SHInitDialog).
    BOOL m_bFullScreen = TRUE;

protected:
    virtual void OnOK();
    virtual void OnCancel();
    // WM_NEXTDLGCTL with wParam the control's HWND and lParam TRUE.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnClose() override;

    DECLARE_MESSAGE_MAP()

private:
    friend class AfxDialogWidget;
    BOOL BuildFromTemplate();
    BOOL CreateControl(const struct AfxDialogItem& item, int nTop);

    UINT m_nIDTemplate = 0;
    std::unique_ptr<AfxDialogState> m_pState;
};
