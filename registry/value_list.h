#pragma once
// The values of one key in creation order, as the store keeps them in memory.
// A list is never changed once shared: a write builds a new list, so an
// enumeration holding the old one keeps a stable view.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "registry/registry.h"

namespace brackwell::registry {

struct ValueRecord {
    std::int64_t id = 0;  // row id in the store
    std::u16string name;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

using ValueList = std::vector<ValueRecord>;
using ValueListPtr = std::shared_ptr<const ValueList>;

// Index of the value named name (compared without regard to case), or -1.
std::ptrdiff_t FindValue(const ValueList& values, std::u16string_view name);

}  // namespace brackwell::registry
