#pragma once
// Reads .reg files ("REGEDIT4" and "Windows Registry Editor Version 5.00") into the
// device registry, all or nothing.

#include <functional>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "registry/reg_operation.h"

namespace brackwell::registry {

// Receives each operation as soon as it is read; returns false, with *reason,
// to stop the reading there.
using RegOperationSink = std::function<bool(const RegOperation& op, std::string* reason)>;

struct RegReadResult {
    bool ok = false;
    std::string error;  // "line N: reason" when !ok
};

// Reads the bytes of a .reg file (UTF-8 or UTF-16LE, as the header allows) from
// in, handing every operation to sink in file order. Only the line being read is
// held, so memory does not grow with the file. A malformed line stops the
// reading with its number and the reason; what sink took before stays taken.
RegReadResult ReadRegFile(std::istream& in, const RegOperationSink& sink);

struct RegParseResult {
    bool ok = false;
    std::string error;  // "line N: reason" when !ok
    std::vector<RegOperation> operations;
};

// Parses the raw bytes of a .reg file into its operations.
RegParseResult ParseRegFile(std::string_view bytes);

struct RegImportResult {
    bool ok = false;
    std::string error;  // "line N: reason" when !ok; nothing was changed then
};

// Merge: the file's changes are made to what the registry holds. Replace: the
// registry is emptied first, in the same transaction, so afterwards it holds
// exactly what the file describes (a restore from an export of the whole registry).
enum class RegImportMode { Merge, Replace };

// Reads a .reg file and applies every operation to the open device registry in
// one transaction, as it reads. Malformed input, or an operation the store
// refuses, changes nothing.
RegImportResult ImportRegFile(std::istream& in, RegImportMode mode = RegImportMode::Merge);
RegImportResult ImportRegFile(std::string_view bytes);

}  // namespace brackwell::registry
