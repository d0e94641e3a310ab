#pragma once
// The window of a CDialog: Enter, Escape and closing the window become the
// dialog's IDOK / IDCANCEL commands instead of ending the window directly.

#include <QDialog>

class CDialog;

class AfxDialogWidget : public QDialog {
public:
    AfxDialogWidget(CDialog* pDialog, QWidget* owner);

    void accept() override;
    void reject() override;

private:
    CDialog* m_pDialog;
};
