#pragma once
// The keys the last path resolved led to. The program reopens keys by full
// path in depth-first order, so consecutive paths share most of their names;
// resolving resumes after the shared part, and tries the key a walk in tree
// order would name next before looking the name up. A cached key is kept for a name
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

    // The key a walk in tree order most likely names next below parent, the
    // key the last Resume led to: after the previous path, its next sibling at
    // the level where the paths part, or else parent's first child. Names
    // matching it exactly need no lookup.
    Slot Candidate(Slot parent, const KeyIndex& index) const {
        if (parent == candidateParent_) return candidate_;
        return index.node(parent).firstChild;
    }

private:
    Slot base_ = KeyIndex::kNoSlot;
    std::uint64_t generation_ = 0;
    std::vector<Slot> slots_;
    Slot candidateParent_ = KeyIndex::kNoSlot;
    Slot candidate_ = KeyIndex::kNoSlot;
};

}  // namespace brackwell::registry
