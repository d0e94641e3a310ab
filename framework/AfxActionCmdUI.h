#pragma once
// Update-pass item for a menu item or tool button (a QAction).

#include <QAction>

#include "framework/CCmdUI.h"

class AfxActionCmdUI : public CCmdUI {
public:
    explicit AfxActionCmdUI(QAction* action) : m_pAction(action) {
        m_nID = action->property("commandId").toUInt();
    }

    void Enable(BOOL bOn = TRUE) override {
        m_bEnableChanged = TRUE;
        m_pAction->setEnabled(bOn != FALSE);
    }

private:
    QAction* m_pAction;
};
