#pragma once
// What the search looks for: a text and the parts of the registry to test.

#include "framework/CString.h"

struct SearchSettings {
    CString m_strText;
    BOOL m_bKeys = TRUE;
    BOOL m_bValues = TRUE;
    BOOL m_bData = TRUE;
    // The candidate must equal the text instead of containing it.
    BOOL m_bMatchWhole = FALSE;
};
