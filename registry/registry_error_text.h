#pragma once
// What a registry call's error code means, in words for a person.

#include <string>

#include "registry/registry.h"

namespace brackwell::registry {

std::string RegistryErrorText(LONG rc);

}  // namespace brackwell::registry
