#pragma once
// Sizes the store refuses to exceed; a call past one fails and changes nothing.

#include <cstddef>

namespace brackwell::registry {

inline constexpr std::size_t kMaxKeyNameLength = 255;    // characters, at least 1
inline constexpr std::size_t kMaxValueNameLength = 255;  // characters, 0 = default value
inline constexpr std::size_t kMaxValueDataSize = 1024 * 1024;  // bytes
inline constexpr std::size_t kMaxKeyDepth = 512;  // names below a root

}  // namespace brackwell::registry
