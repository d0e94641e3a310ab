#pragma once

#include <string_view>

namespace brackwell::resources {

// The .reg text that seeds a registry file created on first start.
std::string_view DefaultRegistryText();

}  // namespace brackwell::resources
