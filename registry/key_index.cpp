#include "registry/key_index.h"

#include <algorithm>

#include "registry/name_folding.h"

namespace brackwell::registry {

void KeyIndex::Clear() {
    nodes_.clear();
    slotById_.clear();
    sparseSlots_.clear();
    children_.Clear();
    ++generation_;
}

void KeyIndex::Reserve(std::size_t keys) {
    nodes_.reserve(keys);
    children_.Reserve(keys);
}

KeyIndex::Slot KeyIndex::Append(std::int64_t id, std::int64_t parentId, std::u16string name) {
    if (!nodes_.empty() && id <= nodes_.back().id) return kNoSlot;
    const Slot parent = parentId == 0 ? kNoSlot : SlotOf(parentId);
    if (parentId != 0 && parent == kNoSlot) return kNoSlot;

    const auto slot = static_cast<Slot>(nodes_.size());
    const auto index = static_cast<std::uint64_t>(id);
    const std::uint64_t reach = std::uint64_t{nodes_.size()} * 4 + 65536;
    if (index < reach) {
        if (index >= slotById_.size()) {
            slotById_.resize(std::min(index + 1 + slotById_.size() / 2, reach), kNoSlot);
        }
        slotById_[index] = slot;
    } else {
        sparseSlots_[id] = slot;
    }
    Node& added = nodes_.emplace_back();
    added.id = id;
    added.parent = parent;
    added.nameHash = FoldedNameHash(name);
    added.name = std::move(name);
    if (parent != kNoSlot) {
        Node& up = nodes_[parent];
        added.depth = static_cast<std::uint16_t>(up.depth + 1);
        added.previousSibling = up.lastChild;
        if (up.lastChild == kNoSlot) {
            up.firstChild = slot;
        } else {
            nodes_[up.lastChild].nextSibling = slot;
        }
        up.lastChild = slot;
        children_.Insert(ChildKey(parent, added.nameHash), slot);
    }
    return slot;
}

void KeyIndex::Unlink(Slot slot) {
    Node& gone = nodes_[slot];
    if (gone.parent == kNoSlot) return;
    Node& up = nodes_[gone.parent];
    if (gone.previousSibling == kNoSlot) {
        up.firstChild = gone.nextSibling;
    } else {
        nodes_[gone.previousSibling].nextSibling = gone.nextSibling;
    }
    if (gone.nextSibling == kNoSlot) {
        up.lastChild = gone.previousSibling;
    } else {
        nodes_[gone.nextSibling].previousSibling = gone.previousSibling;
    }
    children_.Erase(ChildKey(gone.parent, gone.nameHash), slot);
}

void KeyIndex::Remove(Slot slot) {
    ++generation_;
    std::vector<Slot> pending{slot};
    while (!pending.empty()) {
        const Slot current = pending.back();
        pending.pop_back();
        for (Slot child = nodes_[current].firstChild; child != kNoSlot;
             child = nodes_[child].nextSibling) {
            pending.push_back(child);
        }
        Unlink(current);
        Node& gone = nodes_[current];
        if (static_cast<std::uint64_t>(gone.id) < slotById_.size()) {
            slotById_[static_cast<std::size_t>(gone.id)] = kNoSlot;
        }
        sparseSlots_.erase(gone.id);
        gone.alive = false;
        gone.firstChild = gone.lastChild = kNoSlot;
        gone.name = std::u16string();
        gone.values.reset();
    }
}

KeyIndex::Slot KeyIndex::SlotOf(std::int64_t id) const {
    if (id <= 0) return kNoSlot;
    if (static_cast<std::uint64_t>(id) < slotById_.size()) {
        if (const Slot slot = slotById_[static_cast<std::size_t>(id)]; slot != kNoSlot) return slot;
    }
    if (sparseSlots_.empty()) return kNoSlot;
    const auto found = sparseSlots_.find(id);
    return found == sparseSlots_.end() ? kNoSlot : found->second;
}

KeyIndex::Slot KeyIndex::FindChild(Slot parent, std::u16string_view name) const {
    return children_.Find(
        ChildKey(parent, FoldedNameHash(name)),
        [&](Slot child) { return NamesEqual(nodes_[child].name, name); }, kNoSlot);
}

}  // namespace brackwell::registry
