#pragma once
// Update-pass item for a menu item or tool button (a QAction).

#include <QAction>

#include "framework/CCmdUI.h"
#include "framework/CString.h"

class AfxActionCmdUI : public CCmdUI {
public:
    explicit AfxActionCmdUI(QAction* action) : m_pAction(action) {
        m_nID = action->property("commandId").toUInt();
    }

    void Enable(BOOL bOn = TRUE) override {
        m_bEnableChanged = TRUE;
        m_pAction->setEnabled(bOn != FALSE);
    }
    void SetCheck(int nCheck = 1) override {
        m_pAction->setCheckable(true);
        m_pAction->setChecked(nCheck != 0);
    }
    void SetText(LPCWSTR lpszText) override { m_pAction->setText(CString(lpszText).ToQString()); }

private:
    QAction* m_pAction;
};
