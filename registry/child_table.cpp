#include "registry/child_table.h"

#include <algorithm>

namespace brackwell::registry {

void ChildTable::Clear() {
    entries_.clear();
    mask_ = 0;
    used_ = 0;
    erased_ = 0;
}

void ChildTable::Reserve(std::size_t children) {
    if (used_ == 0 && children * 2 > entries_.size()) Resize(std::bit_ceil(children * 2));
}

std::vector<ChildTable::Entry> ChildTable::Resize(std::size_t capacity) {
    std::vector<Entry> old = std::move(entries_);
    entries_.assign(std::max<std::size_t>(capacity, 64), Entry{});
    mask_ = entries_.size() - 1;
    used_ = 0;
    erased_ = 0;
    return old;
}

void ChildTable::Place(std::uint64_t mixed, Slot slot) {
    std::size_t i = mixed & mask_;
    while (entries_[i].slot != kEmpty) i = (i + 1) & mask_;
    entries_[i] = {static_cast<std::uint32_t>(mixed >> 32), slot};
    ++used_;
}

void ChildTable::Erase(std::uint64_t key, Slot slot) {
    if (entries_.empty()) return;
    for (std::size_t i = Mix(key) & mask_; entries_[i].slot != kEmpty; i = (i + 1) & mask_) {
        if (entries_[i].slot == slot) {
            entries_[i].slot = kErased;
            ++erased_;
            return;
        }
    }
}

}  // namespace brackwell::registry
