#include "registry/path_cache.h"

namespace brackwell::registry {

std::size_t PathCache::Resume(Slot base, const std::vector<std::u16string_view>& path,
                              const KeyIndex& index, Slot* slot) {
    if (base != base_ || index.generation() != generation_) {
        base_ = base;
        generation_ = index.generation();
        slots_.clear();
    }
    std::size_t shared = 0;
    while (shared < slots_.size() && shared < path.size() &&
           index.name(slots_[shared]) == path[shared]) {
        ++shared;
    }
    slots_.resize(shared);
    *slot = shared ? slots_.back() : base;
    return shared;
}

}  // namespace brackwell::registry
