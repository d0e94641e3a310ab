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
    const Slot parent = shared ? slots_[shared - 1] : base;
    candidateParent_ = parent;
    candidate_ = shared < slots_.size() ? index.node(slots_[shared]).nextSibling
                                         : index.node(parent).firstChild;
    slots_.resize(shared);
    *slot = parent;
    return shared;
}

}  // namespace brackwell::registry
