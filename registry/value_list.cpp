#include "registry/value_list.h"

#include "registry/name_folding.h"

namespace brackwell::registry {

std::ptrdiff_t FindValue(const ValueList& values, std::u16string_view name) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (NamesEqual(values[i].name, name)) return static_cast<std::ptrdiff_t>(i);
    }
    return -1;
}

}  // namespace brackwell::registry
