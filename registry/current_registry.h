#pragma once
// The registry opened by OpenDeviceRegistry. The program has a single thread,
// so the calls share it without locking.

#include "registry/registry_store.h"

namespace brackwell::registry {

RegistryStore* CurrentRegistry();  // null when no registry is open

}  // namespace brackwell::registry
