#pragma once
// Update-pass item that only records the state it is given; used to ask
// whether a command is enabled before running it.

#include "framework/CCmdUI.h"

class CTestCmdUI : public CCmdUI {
public:
    explicit CTestCmdUI(UINT nID) { m_nID = nID; }

    BOOL m_bEnabled = TRUE;

    void Enable(BOOL bOn = TRUE) override {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
};
