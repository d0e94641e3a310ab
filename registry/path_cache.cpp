#include "registry/path_cache.h"

namespace brackwell::registry {

std::size_t PathCache::Resume(Slot base, const std::vector<std::u16string_view>& path,
                              std::uint64_t generation, Slot* slot) {
    if (base != base_ || generation != generation_) {
        base_ = base;
        generation_ = generation;
        names_.clear();
        slots_.clear();
    }
    std::size_t shared = 0;
    while (shared < names_.size() && shared < path.size() && names_[shared] == path[shared]) ++shared;
    names_.resize(shared);
    slots_.resize(shared);
    *slot = shared ? slots_.back() : base;
    return shared;
}

void PathCache::Extend(std::u16string_view name, Slot slot) {
    names_.emplace_back(name);
    slots_.push_back(slot);
}

}  // namespace brackwell::registry
