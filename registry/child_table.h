#pragma once
// Finds a key's child by name: an open-addressing hash table from (parent
// slot, folded-name hash) to the child's slot. Linear probing keeps a lookup
// to one or two cache lines, which matters when the program reopens every key
// by its full path. Removed entries become tombstones until the next rehash,
// which sizes the table to the live entries, so creating and deleting keys
// over and over does not grow it.

#include <cstdint>
#include <vector>

namespace brackwell::registry {

class ChildTable {
public:
    using Slot = std::uint32_t;

    void Clear();
    void Reserve(std::size_t children);
    void Insert(std::uint64_t key, Slot slot);
    void Erase(std::uint64_t key, Slot slot);

    // The first slot stored under key for which matches(slot) holds, or notFound.
    template <typename Matches>
    Slot Find(std::uint64_t key, Matches&& matches, Slot notFound) const {
        if (entries_.empty()) return notFound;
        for (std::size_t i = Mix(key) & mask_; entries_[i].slot != kEmpty; i = (i + 1) & mask_) {
            const Entry& entry = entries_[i];
            if (entry.key == key && entry.slot != kErased && matches(entry.slot)) return entry.slot;
        }
        return notFound;
    }

private:
    static constexpr Slot kEmpty = UINT32_MAX;
    static constexpr Slot kErased = UINT32_MAX - 1;
    struct Entry {
        std::uint64_t key = 0;
        Slot slot = kEmpty;
    };

    static std::size_t Mix(std::uint64_t key) {
        key ^= key >> 33;
        key *= 0xff51afd7ed558ccdULL;
        key ^= key >> 33;
        return static_cast<std::size_t>(key);
    }
    void Rehash(std::size_t capacity);
    void Place(std::uint64_t key, Slot slot);

    std::vector<Entry> entries_;
    std::size_t mask_ = 0;
    std::size_t used_ = 0;  // entries that are not empty, tombstones included
    std::size_t erased_ = 0;  // tombstones
};

}  // namespace brackwell::registry
