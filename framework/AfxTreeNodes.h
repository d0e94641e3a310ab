#pragma once
// The items of a tree control in compact arrays: per item its parent, its
// place among its siblings, its block of child ids and its text in a shared
// pool (about 30 bytes and no allocation of its own). Item data and images
// are kept only for the few items whose values differ from 0.
//
// Items are named by ids, indexes into the arrays. A handle is the id plus a
// base that grows by the number of ids used at every Clear, so a handle is
// never reused within a run and a stale one names nothing.

#include <cstdint>
#include <deque>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "framework/AfxTextPool.h"
#include "framework/types.h"

class AfxTreeNodes {
public:
    using Id = std::uint32_t;
    // The invisible parent of the top-level items.
    static constexpr Id kRoot = 0xFFFFFFFF;
    // No item: a failed insert or a handle that names nothing.
    static constexpr Id kNone = 0xFFFFFFFE;

    Id Find(HTREEITEM hItem) const;
    HTREEITEM Handle(Id id) const;
    bool IsLive(Id id) const { return id < m_nodes.size() && m_nodes[id].parent != kDead; }

    // Appends an item as the last child of parent (kRoot: at the top level).
    Id Append(Id parent, std::u16string_view text);
    // Removes the item with all its descendants.
    void Remove(Id id);
    // Removes every item.
    void Clear();
    // Orders the direct children alphabetically ignoring case (ties by
    // code unit), keeping the order of equal texts.
    void SortChildren(Id parent);

    Id Parent(Id id) const { return m_nodes[id].parent; }
    int Row(Id id) const { return int(m_nodes[id].row); }
    int ChildCount(Id parent) const { return int(NodeAt(parent).childCount); }
    // kNone for a row out of range.
    Id Child(Id parent, int row) const;
    bool IsAncestor(Id ancestor, Id id) const;
    std::u16string_view Text(Id id) const { return m_text.View(m_nodes[id].text); }
    std::size_t Count() const { return m_nCount; }

    DWORD_PTR Data(Id id) const;
    void SetData(Id id, DWORD_PTR dwData);
    std::pair<int, int> Images(Id id) const;
    void SetImages(Id id, int nImage, int nSelectedImage);

private:
    static constexpr Id kDead = 0xFFFFFFFD;

    struct Node {
        Id parent = kRoot;
        std::uint32_t row = 0;
        // Children: ids at m_children[childBegin .. childBegin + childCount),
        // room for childCapacity of them.
        std::uint32_t childBegin = 0;
        std::uint32_t childCount = 0;
        std::uint32_t childCapacity = 0;
        AfxTextPool::Ref text;
    };

    Node& NodeAt(Id id) { return id == kRoot ? m_root : m_nodes[id]; }
    const Node& NodeAt(Id id) const { return id == kRoot ? m_root : m_nodes[id]; }
    // Makes room for one more child, moving the block to the end of the
    // pool at twice its size when full.
    bool ReserveChild(Node& node);
    void Forget(Id id);

    Node m_root;
    // Deques: they grow by blocks, never copying what they hold, so a fill
    // of hundreds of thousands of items leaves no outgrown buffers behind.
    std::deque<Node> m_nodes;
    std::deque<Id> m_children;
    AfxTextPool m_text;
    std::unordered_map<Id, DWORD_PTR> m_data;
    std::unordered_map<Id, std::pair<int, int>> m_images;
    std::uintptr_t m_base = 1;
    std::size_t m_nCount = 0;
};
