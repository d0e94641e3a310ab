#pragma once
// Applies .reg operations to the open device registry.

#include <string>
#include <vector>

#include "registry/reg_operation.h"
#include "registry/registry_store.h"

namespace brackwell::registry {

// Why op cannot be applied whatever the registry holds (a name past the limits,
// too deep a path, a root to delete), or an empty string. path is op.path split.
std::string RegOperationRefusal(const RegOperation& op,
                                const std::vector<std::u16string_view>& path);

// Applies one operation inside a transaction of store's (a body passed to
// RegistryStore::Write). On failure *reason says why, without the line.
LONG ApplyOperation(RegistryStore& store, const RegOperation& op, std::string* reason);

// The operations that empty the open registry: every key below the four roots
// deleted, and every value of the roots. False, with *error, when a registry
// call failed.
bool ClearingOperations(std::vector<RegOperation>* operations, std::string* error);

// Applies every operation in one transaction and returns true once it is
// committed. Otherwise nothing was changed and *error (if given) reads "line N:
// reason" for the operation refused (a name past the limits, too deep a path,
// ...; the reason alone when its line is 0) or names the store failure.
bool ApplyOperations(const std::vector<RegOperation>& operations, std::string* error);

}  // namespace brackwell::registry
