#pragma once
// The open key handles. A handle is a number issued once per process and
// looked up here; anything not in the table is refused, never dereferenced.
// The four predefined roots are permanent entries.

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "registry/registry.h"
#include "registry/value_list.h"

namespace brackwell::registry {

struct OpenHandle {
    std::int64_t keyId = 0;
    // What an enumeration walks: taken at its index-0 call (or its first call),
    // so the order stays put while the key changes.
    bool subkeysTaken = false;
    std::vector<std::u16string> subkeys;
    bool valuesTaken = false;
    ValueListPtr values;
};

class HandleTable {
public:
    HandleTable();

    HKEY Add(std::int64_t keyId);
    OpenHandle* Find(HKEY hKey);  // null when hKey is not open
    bool Remove(HKEY hKey);    // a root stays open and reports success

private:
    std::array<OpenHandle, 4> roots_;
    std::unordered_map<DWORD_PTR, OpenHandle> open_;
};

}  // namespace brackwell::registry
