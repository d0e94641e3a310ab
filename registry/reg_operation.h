#pragma once
// One change read from a .reg file, applied by the store within one transaction.

#include <cstdint>
#include <string>
#include <vector>

#include "registry/registry.h"

namespace brackwell::registry {

struct RegOperation {
    enum class Kind {
        CreateKey,    // [ROOT\path]: create the key and any missing parents
        DeleteKey,    // [-ROOT\path]: delete the key and everything below it (absent: no-op)
        SetValue,     // "name"=data in the key of the last [ROOT\path] (created if missing)
        DeleteValue,  // "name"=- (absent: no-op)
    };
    Kind kind = Kind::CreateKey;
    HKEY root = nullptr;
    std::u16string path;  // names below the root joined by single backslashes; empty = the root
    std::u16string name;  // value name (SetValue, DeleteValue); empty = the default value
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    int line = 0;  // line in the .reg text, for error messages
};

}  // namespace brackwell::registry
