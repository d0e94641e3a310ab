#pragma once
// Reading a key's values in the order the store enumerates them, as the
// values list shows them: one data buffer for the whole key (the largest data
// size plus 256 bytes) and a 1024-character name buffer.

#include <functional>

#include "framework/CString.h"
#include "registry/registry.h"

struct KeyValue {
    int nIndex;  // enumeration index, which is also the value's row in the list
    CString strName;
    DWORD dwType;
    const BYTE* pData;
    DWORD cbData;
};

// Calls visit for each value until it returns false or the store refuses an
// index (the end, or a name or data that does not fit). A key that cannot be
// opened has no values.
void EnumerateKeyValues(HKEY hRoot, LPCWSTR lpszPath,
                        const std::function<bool(const KeyValue&)>& visit);
