#include "registry/child_table.h"

#include <algorithm>
#include <bit>

namespace brackwell::registry {

void ChildTable::Clear() {
    entries_.clear();
    mask_ = 0;
    used_ = 0;
    erased_ = 0;
}

void ChildTable::Reserve(std::size_t children) {
    if (children * 2 > entries_.size()) Rehash(std::bit_ceil(children * 2));
}

void ChildTable::Rehash(std::size_t capacity) {
    std::vector<Entry> old = std::move(entries_);
    entries_.assign(std::max<std::size_t>(capacity, 64), Entry{});
    mask_ = entries_.size() - 1;
    used_ = 0;
    erased_ = 0;
    for (const Entry& entry : old) {
        if (entry.slot != kEmpty && entry.slot != kErased) Place(entry.key, entry.slot);
    }
}

void ChildTable::Place(std::uint64_t key, Slot slot) {
    std::size_t i = Mix(key) & mask_;
    while (entries_[i].slot != kEmpty) i = (i + 1) & mask_;
    entries_[i] = {key, slot};
    ++used_;
}

void ChildTable::Insert(std::uint64_t key, Slot slot) {
    // Keep at least half the table empty so probe runs stay short; a rehash
    // leaves the live entries a quarter of it at most.
    if ((used_ + 1) * 2 > entries_.size()) Rehash(std::bit_ceil((used_ - erased_ + 1) * 4));
    Place(key, slot);
}

void ChildTable::Erase(std::uint64_t key, Slot slot) {
    if (entries_.empty()) return;
    for (std::size_t i = Mix(key) & mask_; entries_[i].slot != kEmpty; i = (i + 1) & mask_) {
        if (entries_[i].key == key && entries_[i].slot == slot) {
            entries_[i].slot = kErased;
            ++erased_;
            return;
        }
    }
}

}  // namespace brackwell::registry
