#pragma once
// The keys the last path resolved led to. The program reopens keys by full
// path in depth-first order, so consecutive paths share most of their names;
// resolving resumes after the shared part. A cached key is kept for a name
// only when the name is spelt exactly as the key's, and the cache is dropped
// whenever a key is removed or the tree is reloaded (a new key never changes
// what an existing path names).

#include <cstdint>
#include <string_view>
#include <vector>

#include "registry/key_index.h"

namespace brackwell::registry {

class PathCache {
public:
    using Slot = KeyIndex::Slot;

    // Keeps the cached keys whose names path starts with and returns how
    // many; *slot is the key they lead to, or base when none.
    std::size_t Resume(Slot base, const std::vector<std::u16string_view>& path,
                       const KeyIndex& index, Slot* slot);
    // Records the key the next name of the path led to.
    void Extend(Slot slot) { slots_.push_back(slot); }

    // Records the subkey an enumeration of parent has just given: the program
    // opens it by path next, and its name then needs no lookup.
    void Enumerated(Slot parent, Slot child, const KeyIndex& index) {
        enumerated_ = {parent, child, index.generation()};
    }
    // The subkey of parent named exactly name that was given last, or kNoSlot.
    Slot EnumeratedChild(Slot parent, std::u16string_view name, const KeyIndex& index) const {
        const bool same = enumerated_.parent == parent &&
                          enumerated_.generation == index.generation() &&
                          index.name(enumerated_.child) == name;
        return same ? enumerated_.child : KeyIndex::kNoSlot;
    }

private:
    struct EnumeratedSubkey {
        Slot parent = KeyIndex::kNoSlot;
        Slot child = KeyIndex::kNoSlot;
        std::uint64_t generation = 0;
    };

    Slot base_ = KeyIndex::kNoSlot;
    std::uint64_t generation_ = 0;
    std::vector<Slot> slots_;
    EnumeratedSubkey enumerated_;
};

}  // namespace brackwell::registry
