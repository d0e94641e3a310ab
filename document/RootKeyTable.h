#pragma once
// The four registry roots in the order the key tree shows them, with the
// tree item each one got at the last fill.

#include "framework/CString.h"
#include "framework/types.h"
#include "registry/registry.h"

struct RootKeyEntry {
    HKEY hKey;
    LPCWSTR pszName;
    HTREEITEM hItem;
};

inline constexpr int RootKeyCount = 4;

extern RootKeyEntry RootKeyTable[RootKeyCount];

// The key's full name as a person reads it: the root's name, then the path
// below it (with or without its leading backslash).
CString KeyFullName(HKEY hRoot, const CString& strPath);
