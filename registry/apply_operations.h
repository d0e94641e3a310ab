#pragma once
// Applies .reg operations to the open device registry.

#include <string>
#include <vector>

#include "registry/reg_operation.h"
#include "registry/registry_store.h"

namespace brackwell::registry {

// Applies one operation inside a transaction of store's (a body passed to
// RegistryStore::Write). On failure *reason says why, without the line.
LONG ApplyOperation(RegistryStore& store, const RegOperation& op, std::string* reason);

// Returns true when every operation was applied and committed. Otherwise nothing
// was changed and *error (if given) reads "line N: reason" for the operation refused
// (a name past the limits, too deep a path, ...) or names the store failure.
bool ApplyOperations(const std::vector<RegOperation>& operations, std::string* error);

}  // namespace brackwell::registry
