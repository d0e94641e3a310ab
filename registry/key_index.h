#pragma once
// The key tree held in memory, so that resolving a path costs no store query.
// Every key is one fixed-size node in one array, its name a range of one pool
// of characters, its children a linked list through the array: no key owns a
// heap object, so 700,000 keys cost a few dozen bytes each.
// Child lists are in id order, which is creation order: ids only grow. A
// loaded tree is laid out in tree order, each key followed by its subtree. A key
// is found by id through a table indexed by id; ids far beyond the number of
// keys (left by much creating and deleting, or written by hand) go to a map
// instead, so the table stays proportional to the tree. Deleted keys stay as
// dead slots, their names in the pool, until the next full load.

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "registry/child_table.h"

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
        std::uint32_t nameOffset = 0;  // in the name pool
        std::uint32_t nameHash = 0;    // FoldedNameHash of the name
        std::uint16_t depth = 0;       // 0 for a root
        std::uint8_t nameLength = 0;   // at most 255 characters
        bool alive = true;
    };

    void Clear();

    // Loading a whole tree: Begin, then Add every key in increasing id order
    // (a parent may come after its child: a file written by hand can hold
    // that), then Finish, which links the tree and checks it. Finish returns
    // an empty string, or why the keys do not make a tree the store could
    // have written: a missing parent, a cycle, a key deeper than maxDepth, two
    // children of one key whose names differ only in case.
    void BeginLoad(std::size_t keys);
    void AddLoaded(std::int64_t id, std::int64_t parentId, std::u16string_view name);
    std::string FinishLoad(std::size_t maxDepth);

    // Adds a key newer than every key held below a live parent. Returns
    // kNoSlot when the id is not newer.
    Slot Append(std::int64_t id, Slot parent, std::u16string_view name);

    // Unlinks the key and marks it and everything below it dead.
    void Remove(Slot slot);

    Slot SlotOf(std::int64_t id) const;  // kNoSlot for an unknown or deleted key
    Slot FindChild(Slot parent, std::u16string_view name) const;

    // Changes whenever a key is removed or the index cleared: a slot or a
    // path resolved under the same generation still names the same key.
    std::uint64_t generation() const { return generation_; }

    const Node& node(Slot slot) const { return nodes_[slot]; }
    std::u16string_view name(Slot slot) const {
        const Node& n = nodes_[slot];
        return {names_.data() + n.nameOffset, n.nameLength};
    }
    std::size_t size() const { return nodes_.size(); }

private:
    Slot AddNode(std::int64_t id, std::u16string_view name);
    void OrderLoadedAsTree(std::vector<Slot>& parents);
    Slot FindChild(Slot parent, std::u16string_view name, std::uint32_t nameHash) const;
    void Link(Slot slot, Slot parent);
    void Unlink(Slot slot);
    // Depth of every key, or the first key on a cycle or too deep.
    std::string AssignDepths(std::size_t maxDepth);
    std::string Describe(Slot slot) const;

    std::vector<Node> nodes_;
    std::vector<char16_t> names_;
    std::vector<std::int64_t> loadedParents_;  // parent id of each key while loading
    std::vector<Slot> slotById_;               // kNoSlot for ids not (or no longer) present
    std::unordered_map<std::int64_t, Slot> sparseSlots_;  // ids beyond slotById_'s reach
    ChildTable children_;                                 // (parent, folded name) -> child
    std::uint64_t generation_ = 0;
    std::int64_t newestId_ = std::numeric_limits<std::int64_t>::min();
};

}  // namespace brackwell::registry
