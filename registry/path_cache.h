#pragma once
// The names of the last path resolved and the keys they led to. The program
// reopens keys by full path in depth-first order, so consecutive paths share
// most of their names; resolving resumes after the shared part. Names are
// compared exactly, and the cache is dropped whenever a key is removed or the
// tree is reloaded (a new key never changes what an existing path names).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brackwell::registry {

class PathCache {
public:
    using Slot = std::uint32_t;

    // Keeps the cached names that path starts with and returns how many;
    // *slot is the key they lead to, or base when none.
    std::size_t Resume(Slot base, const std::vector<std::u16string_view>& path,
                       std::uint64_t generation, Slot* slot);
    // Records the key the next name of the path led to.
    void Extend(std::u16string_view name, Slot slot);

private:
    Slot base_ = UINT32_MAX;
    std::uint64_t generation_ = 0;
    std::vector<std::u16string> names_;
    std::vector<Slot> slots_;
};

}  // namespace brackwell::registry
