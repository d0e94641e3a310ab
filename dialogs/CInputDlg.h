#pragma once
// Base of the dialogs that take typed text: asks to cover the screen when
// the dialog's full-screen flag is set, and switches the soft input panel
// off whenever the dialog window goes away, however it was closed.

#include "framework/CDialog.h"

class CInputDlg : public CDialog {
public:
    CInputDlg(UINT nIDTemplate, CWnd* pParentWnd);

protected:
    BOOL OnInitDialog() override;
    void OnDestroy();

    // The rule the value dialogs share: a given name means the value is
    // being modified, so the name field becomes read-only and the focus goes
    // to the value field; without a name the focus goes to the name field.
    void ApplyNameRule(const CString& strName);

    DECLARE_MESSAGE_MAP()
};
