#pragma once
// Key paths: names joined by backslashes. Empty names (a leading or trailing
// backslash, two in a row) are skipped, so "\Software\\Apps\" is Software\Apps.

#include <string_view>
#include <vector>

#include "registry/registry.h"

namespace brackwell::registry {

// The text of a possibly null name or path pointer; null reads as empty.
std::u16string_view TextOf(LPCWSTR text);

std::vector<std::u16string_view> SplitKeyPath(std::u16string_view path);
// The same for a NUL-terminated path (null reads as empty), split in the one
// pass that finds its end, into *names, whose room is kept: a caller that
// splits many paths allocates once.
void SplitKeyPath(LPCWSTR path, std::vector<std::u16string_view>* names);

}  // namespace brackwell::registry
