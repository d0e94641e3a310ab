#pragma once
// Reading a key's values in the order the store enumerates them, as the
// values list shows them: one data buffer for the whole key (the largest data
// size plus 256 bytes) and a name buffer of the longest name's size, both as
// the key reports them.

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

// Calls visit for each value until it returns false or the values end.
// Returns ERROR_SUCCESS then, or the store's error when the key could not be
// read to the end; no root, or a key that no longer exists, has no values.
LONG EnumerateKeyValues(HKEY hRoot, LPCWSTR lpszPath,
                        const std::function<bool(const KeyValue&)>& visit);

// Whether a failed open means the key is gone (another program deleted it)
// rather than that the registry could not be read.
bool IsKeyGone(LONG lResult);
