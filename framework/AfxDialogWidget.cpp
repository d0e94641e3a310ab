#include "framework/AfxDialogWidget.h"

#include "framework/CDialog.h"

AfxDialogWidget::AfxDialogWidget(CDialog* pDialog, QWidget* owner) : QDialog(owner), m_pDialog(pDialog) {}

void AfxDialogWidget::accept() { m_pDialog->SendMessage(WM_COMMAND, IDOK); }

void AfxDialogWidget::reject() { m_pDialog->SendMessage(WM_COMMAND, IDCANCEL); }
