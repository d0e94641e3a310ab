#pragma once
// Applies parsed .reg operations to the open device registry in one transaction.

#include <string>
#include <vector>

#include "registry/reg_operation.h"

namespace brackwell::registry {

// Returns true when every operation was applied and committed. Otherwise nothing
// was changed and *error (if given) reads "line N: reason" for the operation refused
// (a name past the limits, too deep a path, ...) or names the store failure.
bool ApplyOperations(const std::vector<RegOperation>& operations, std::string* error);

}  // namespace brackwell::registry
