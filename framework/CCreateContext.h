#pragma once
// What a frame passes down while it creates its views.

#include "framework/types.h"

class CDocument;

// The frame creates its views itself (OnCreateClient); each view attaches
// itself to m_pCurrentDoc in creation order.
struct CCreateContext {
    CDocument* m_pCurrentDoc = nullptr;
};
