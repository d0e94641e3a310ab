#pragma once
// The key tree held in memory, so that resolving a path costs no store query.
// Key ids only grow (a parent is always older than its children), so loading
// in id order and appending new keys keep every child list in creation order.
// A key is found by id through a table indexed by id; ids far beyond the number
// of keys (left by much creating and deleting, or written by hand) go to a map
// instead, so the table stays proportional to the tree. Deleted keys stay as
// dead slots until the next full load.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "registry/child_table.h"
#include "registry/value_list.h"

namespace brackwell::registry {

class KeyIndex {
public:
    using Slot = std::uint32_t;
    static constexpr Slot kNoSlot = UINT32_MAX;

    struct Node {
        std::int64_t id = 0;
        Slot parent = kNoSlot;
        Slot firstChild = kNoSlot;
        Slot lastChild = kNoSlot;
        Slot nextSibling = kNoSlot;
        Slot previousSibling = kNoSlot;
        std::uint32_t nameHash = 0;
        std::uint16_t depth = 0;  // 0 for a root
        bool alive = true;
        std::u16string name;
        ValueListPtr values;  // null: no values, or values not loaded yet
    };

    void Clear();
    void Reserve(std::size_t keys);

    // Adds a key newer than every key held; parentId 0 makes a root. Returns
    // kNoSlot when the id is not newer or the parent is unknown.
    Slot Append(std::int64_t id, std::int64_t parentId, std::u16string name);

    // Unlinks the key and marks it and everything below it dead.
    void Remove(Slot slot);

    Slot SlotOf(std::int64_t id) const;  // kNoSlot for an unknown or deleted key
    Slot FindChild(Slot parent, std::u16string_view name) const;

    // Changes whenever a key is removed or the index cleared: a slot or a
    // path resolved under the same generation still names the same key.
    std::uint64_t generation() const { return generation_; }

    Node& node(Slot slot) { return nodes_[slot]; }
    const Node& node(Slot slot) const { return nodes_[slot]; }

private:
    static std::uint64_t ChildKey(Slot parent, std::uint32_t nameHash) {
        return (std::uint64_t{parent} << 32) | nameHash;
    }
    void Unlink(Slot slot);

    std::vector<Node> nodes_;
    std::vector<Slot> slotById_;  // kNoSlot for ids not (or no longer) present
    std::unordered_map<std::int64_t, Slot> sparseSlots_;  // ids beyond slotById_'s reach
    ChildTable children_;  // (parent, name hash) -> child
    std::uint64_t generation_ = 0;
};

}  // namespace brackwell::registry
