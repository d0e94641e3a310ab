#pragma once
// One user-interface item (menu item or tool button) during the update pass
// that applies the enable rules.

#include "framework/types.h"

class CCmdTarget;

class CCmdUI {
public:
    UINT m_nID = 0;
    BOOL m_bEnableChanged = FALSE;

    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);

    // Asks pTarget's update handler; without one the item is enabled when a
    // command handler exists and, with bDisableIfNoHndler, disabled otherwise.
    // TRUE when an update handler ran.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};
