#pragma once
// Key and value names compare without regard to case: each code point (a
// surrogate pair counts as one) is upper-cased by the simple Unicode mapping.

#include <cstdint>
#include <string>
#include <string_view>

namespace brackwell::registry {

// False when the C.UTF-8 locale that supplies the mapping is missing.
bool NameFoldingAvailable();

std::u16string FoldName(std::u16string_view name);

// Hash of FoldName(name), computed without building it.
std::uint32_t FoldedNameHash(std::u16string_view name);

bool NamesEqual(std::u16string_view a, std::u16string_view b);

}  // namespace brackwell::registry
