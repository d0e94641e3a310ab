#include "registry/path_cache.h"

#include <cstring>

namespace brackwell::registry {
namespace {

// Spelt exactly alike. memcmp compares many characters at a time, where the
// character-by-character compare of a UTF-16 string does not; every path the
// tree fill reopens compares all the names it shares with the one before.
bool SameName(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(char16_t)) == 0);
}

}  // namespace

std::size_t PathCache::Resume(Slot base, const std::vector<std::u16string_view>& path,
                              const KeyIndex& index, Slot* slot) {
    if (base != base_ || index.generation() != generation_) {
        base_ = base;
        generation_ = index.generation();
        slots_.clear();
    }
    std::size_t shared = 0;
    while (shared < slots_.size() && shared < path.size() &&
           SameName(index.name(slots_[shared]), path[shared])) {
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
