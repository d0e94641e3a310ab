#pragma once
// Reads .reg files ("REGEDIT4" and "Windows Registry Editor Version 5.00") into the
// device registry, all or nothing.

#include <string>
#include <string_view>
#include <vector>

#include "registry/reg_operation.h"

namespace brackwell::registry {

struct RegParseResult {
    bool ok = false;
    std::string error;  // "line N: reason" when !ok
    std::vector<RegOperation> operations;
};

// Parses the raw bytes of a .reg file (UTF-8 or UTF-16LE, as the header allows).
RegParseResult ParseRegFile(std::string_view bytes);

struct RegImportResult {
    bool ok = false;
    std::string error;  // "line N: reason" when !ok; nothing was changed then
};

// Parses bytes and applies every operation to the open device registry in one
// transaction. Malformed input, or an operation the store refuses, changes nothing.
RegImportResult ImportRegFile(std::string_view bytes);

}  // namespace brackwell::registry
