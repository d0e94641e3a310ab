#pragma once
// A menu bar built from a menu resource. Each command item is a QAction
// whose objectName is the decimal command id and whose "commandId" property
// holds the id.

#include "framework/CObject.h"

class CMenu : public CObject {
public:
    CMenu() = default;

    HMENU m_hMenu = nullptr;
};
