#pragma once
// Finds a key's child by name: an open-addressing hash table from (parent
// slot, folded-name hash) to the child's slot. An entry is 8 bytes, a slot and
// a tag from the key's hash; the caller's match test tells true hits from tag
// collisions. Linear probing keeps a lookup to one or two cache lines, which
// matters when the program reopens every key by its full path. Removed entries become tombstones
// until the next rehash, which sizes the table to the live entries, so creating and deleting keys
// over and over does not grow it.

#include <bit>
#include <cstdint>
#include <vector>

namespace brackwell::registry {

class ChildTable {
public:
    using Slot = std::uint32_t;

    void Clear();
    // Sizes an empty table for that many entries.
    void Reserve(std::size_t children);
    // keyOf(slot) gives the key a stored slot was inserted under; a rehash
    // needs it, since entries keep only a tag.
    template <typename KeyOf>
    void Insert(std::uint64_t key, Slot slot, KeyOf&& keyOf) {
        // Keep at least half the table empty so probe runs stay short; a rehash
        // leaves the live entries a quarter of it at most.
        if ((used_ + 1) * 2 > entries_.size()) {
            std::vector<Entry> old = Resize(std::bit_ceil((used_ - erased_ + 1) * 4));
            for (const Entry& entry : old) {
                if (entry.slot != kEmpty && entry.slot != kErased)
                    Place(Mix(keyOf(entry.slot)), entry.slot);
            }
        }
        Place(Mix(key), slot);
    }
    void Erase(std::uint64_t key, Slot slot);
    // Asks for the memory a later Find or Insert under key starts at.
    void Prefetch(std::uint64_t key) const {
        if (!entries_.empty()) __builtin_prefetch(&entries_[Mix(key) & mask_]);
    }

    // The first slot stored under key for which matches(slot) holds, or notFound.
    template <typename Matches>
    Slot Find(std::uint64_t key, Matches&& matches, Slot notFound) const {
        if (entries_.empty()) return notFound;
        const std::uint64_t mixed = Mix(key);
        const auto tag = static_cast<std::uint32_t>(mixed >> 32);
        for (std::size_t i = mixed & mask_; entries_[i].slot != kEmpty; i = (i + 1) & mask_) {
            const Entry& entry = entries_[i];
            if (entry.tag == tag && entry.slot != kErased && matches(entry.slot)) return entry.slot;
        }
        return notFound;
    }

private:
    static constexpr Slot kEmpty = UINT32_MAX;
    static constexpr Slot kErased = UINT32_MAX - 1;
    struct Entry {
        std::uint32_t tag = 0;
        Slot slot = kEmpty;
    };

    static std::uint64_t Mix(std::uint64_t key) {
        key ^= key >> 33;
        key *= 0xff51afd7ed558ccdULL;
        key ^= key >> 33;
        key *= 0xc4ceb9fe1a85ec53ULL;
        key ^= key >> 33;
        return key;
    }
    // Empties the table at the new capacity and returns the old entries.
    std::vector<Entry> Resize(std::size_t capacity);
    // Stores slot in the first free entry of its probe run.
    void Place(std::uint64_t mixed, Slot slot);

    std::vector<Entry> entries_;
    std::size_t mask_ = 0;
    std::size_t used_ = 0;    // entries that are not empty, tombstones included
    std::size_t erased_ = 0;  // tombstones
};

}  // namespace brackwell::registry
