#include "registry/key_index.h"

#include <algorithm>

#include "registry/name_folding.h"
#include "registry/reg_text_encoding.h"

namespace brackwell::registry {
namespace {

// How many keys ahead a walk in an order the cache cannot foresee asks for memory.
constexpr std::size_t kPrefetchDistance = 16;

// Characters reserved per key for the names of a tree being loaded.
constexpr std::size_t kUsualNameLength = 16;

std::uint64_t ChildKey(KeyIndex::Slot parent, std::uint32_t nameHash) {
    return (std::uint64_t{parent} << 32) | nameHash;
}

}  // namespace

void KeyIndex::Clear() {
    nodes_.clear();
    names_.clear();
    loadedParents_.clear();
    slotById_.clear();
    sparseSlots_.clear();
    children_.Clear();
    newestId_ = std::numeric_limits<std::int64_t>::min();
    ++generation_;
}

KeyIndex::Slot KeyIndex::AddNode(std::int64_t id, std::u16string_view name) {
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
    newestId_ = std::max(newestId_, id);
    Node& added = nodes_.emplace_back();
    added.id = id;
    added.nameOffset = static_cast<std::uint32_t>(names_.size());
    added.nameLength = static_cast<std::uint8_t>(name.size());
    added.nameHash = FoldedNameHash(name);
    names_.insert(names_.end(), name.begin(), name.end());
    return slot;
}

void KeyIndex::Link(Slot slot, Slot parent) {
    Node& added = nodes_[slot];
    Node& up = nodes_[parent];
    added.parent = parent;
    added.previousSibling = up.lastChild;
    if (up.lastChild == kNoSlot) {
        up.firstChild = slot;
    } else {
        nodes_[up.lastChild].nextSibling = slot;
    }
    up.lastChild = slot;
    children_.Insert(ChildKey(parent, added.nameHash), slot,
                     [this](Slot s) { return ChildKey(nodes_[s].parent, nodes_[s].nameHash); });
}

void KeyIndex::BeginLoad(std::size_t keys) {
    Clear();
    nodes_.reserve(keys);
    // Room for names of a usual length, so that the pool is not copied as it
    // grows; pages never written take no memory.
    names_.reserve(keys * kUsualNameLength);
    loadedParents_.reserve(keys);
    children_.Reserve(keys);
}

void KeyIndex::AddLoaded(std::int64_t id, std::int64_t parentId, std::u16string_view name) {
    AddNode(id, name);
    loadedParents_.push_back(parentId);
}

std::string KeyIndex::Describe(Slot slot) const {
    return "the key \"" + regfile::Utf16ToUtf8(name(slot)) + "\" (row " +
           std::to_string(nodes_[slot].id) + ")";
}

std::string KeyIndex::FinishLoad(std::size_t maxDepth) {
    // Each key's parent slot, looked up once: kNoSlot for a root.
    constexpr Slot kMissingParent = kNoSlot - 1;
    std::vector<Slot> parents(nodes_.size());
    bool everyParentFound = true;
    for (Slot slot = 0; slot < nodes_.size(); ++slot) {
        if (loadedParents_[slot] == 0) {
            parents[slot] = kNoSlot;
        } else if ((parents[slot] = SlotOf(loadedParents_[slot])) == kNoSlot) {
            parents[slot] = kMissingParent;
            everyParentFound = false;
        }
    }
    if (everyParentFound) OrderLoadedAsTree(parents);
    std::string problem;
    for (Slot slot = 0; slot < nodes_.size() && problem.empty(); ++slot) {
        // Each key's entry in the child table lies anywhere in it: fetch ahead.
        if (const std::size_t ahead = slot + kPrefetchDistance; ahead < nodes_.size()) {
            if (parents[ahead] < kMissingParent)
                children_.Prefetch(ChildKey(parents[ahead], nodes_[ahead].nameHash));
        }
        const Slot parent = parents[slot];
        if (parent == kNoSlot) continue;
        if (parent == kMissingParent) {
            // Keys are left in the loaded order when a parent is missing.
            problem = Describe(slot) + " has no parent: there is no key of row " +
                      std::to_string(loadedParents_[slot]);
        } else if (const Slot twin = FindChild(parent, name(slot), nodes_[slot].nameHash);
                   twin != kNoSlot) {
            problem = Describe(twin) + " and " + Describe(slot) +
                      " are children of one key whose names differ only in case";
        } else {
            Link(slot, parent);
        }
    }
    loadedParents_ = {};
    if (problem.empty()) problem = AssignDepths(maxDepth);
    return problem;
}

// Lays the loaded keys out in tree order, each key followed by its subtree, so
// that a walk of the tree reads the nodes and names front to back instead of
// jumping across the whole index (keys are loaded in creation order). parents
// holds each key's parent slot (kNoSlot for a root) and is moved along. Keys
// that no walk from a root reaches (a cycle) leave the loaded order as it is,
// for the checks that follow to name. No recursion: the walk keeps its
// pending keys in a vector.
void KeyIndex::OrderLoadedAsTree(std::vector<Slot>& parents) {
    const std::size_t count = nodes_.size();
    // Children grouped by parent with a counting sort, each group in load order.
    std::vector<std::uint32_t> firstChild(count + 1, 0);
    for (Slot slot = 0; slot < count; ++slot) {
        if (parents[slot] != kNoSlot) ++firstChild[parents[slot] + 1];
    }
    for (std::size_t i = 0; i < count; ++i) firstChild[i + 1] += firstChild[i];
    std::vector<Slot> children(firstChild[count]);
    std::vector<std::uint32_t> filled(firstChild.begin(), firstChild.end() - 1);
    for (Slot slot = 0; slot < count; ++slot) {
        if (parents[slot] != kNoSlot) children[filled[parents[slot]]++] = slot;
    }
    std::vector<Slot> order;
    order.reserve(count);
    std::vector<Slot> pending;
    for (Slot root = 0; root < count; ++root) {
        if (parents[root] != kNoSlot) continue;
        pending.push_back(root);
        while (!pending.empty()) {
            const Slot slot = pending.back();
            pending.pop_back();
            order.push_back(slot);
            for (std::uint32_t i = firstChild[slot + 1]; i > firstChild[slot]; --i)
                pending.push_back(children[i - 1]);
        }
    }
    if (order.size() != count) return;

    // Moved in the loaded order, which reads the old arrays front to back and
    // leaves the scattered accesses to the writes, which do not stall.
    std::vector<Slot> newSlot(count);
    for (Slot slot = 0; slot < count; ++slot) newSlot[order[slot]] = slot;
    // The name lengths in a small array of their own, which the cache holds
    // while the new offsets are summed in the new order.
    std::vector<std::uint8_t> nameLength(count);
    for (Slot from = 0; from < count; ++from) nameLength[from] = nodes_[from].nameLength;
    std::vector<std::uint32_t> nameOffset(count);
    std::uint32_t nameEnd = 0;
    for (Slot slot = 0; slot < count; ++slot) {
        nameOffset[slot] = nameEnd;
        nameEnd += nameLength[order[slot]];
    }
    std::vector<Node> nodes(count);
    std::vector<char16_t> names(nameEnd);
    std::vector<Slot> newParents(count);
    for (Slot from = 0; from < count; ++from) {
        const Slot slot = newSlot[from];
        nodes[slot] = nodes_[from];
        nodes[slot].nameOffset = nameOffset[slot];
        const std::u16string_view text = name(from);
        std::copy(text.begin(), text.end(), names.begin() + nameOffset[slot]);
        newParents[slot] = parents[from] == kNoSlot ? kNoSlot : newSlot[parents[from]];
        const auto id = static_cast<std::uint64_t>(nodes_[from].id);
        if (id < slotById_.size() && slotById_[id] == from) {
            slotById_[id] = slot;
        } else {
            sparseSlots_[nodes_[from].id] = slot;
        }
    }
    nodes_ = std::move(nodes);
    names_ = std::move(names);
    parents = std::move(newParents);
}

// Walks up from each key whose depth is still unknown until a key whose depth
// is known, then assigns the depths on the way back down. A walk that meets
// itself is a cycle. The walks hold their path in a vector, not on the stack.
std::string KeyIndex::AssignDepths(std::size_t maxDepth) {
    constexpr std::uint16_t kUnknown = UINT16_MAX;
    constexpr std::uint16_t kOnPath = UINT16_MAX - 1;
    for (Node& n : nodes_) n.depth = n.parent == kNoSlot ? 0 : kUnknown;
    std::vector<Slot> path;
    for (Slot start = 0; start < nodes_.size(); ++start) {
        Slot up = start;
        while (nodes_[up].depth == kUnknown) {
            nodes_[up].depth = kOnPath;
            path.push_back(up);
            up = nodes_[up].parent;
        }
        if (nodes_[up].depth == kOnPath)
            return Describe(up) + " is its own ancestor (the keys form a cycle)";
        std::size_t depth = nodes_[up].depth;
        for (auto it = path.rbegin(); it != path.rend(); ++it) {
            if (++depth > maxDepth) {
                return Describe(*it) + " is deeper than " + std::to_string(maxDepth) + " levels";
            }
            nodes_[*it].depth = static_cast<std::uint16_t>(depth);
        }
        path.clear();
    }
    return {};
}

KeyIndex::Slot KeyIndex::Append(std::int64_t id, Slot parent, std::u16string_view name) {
    if (id <= newestId_) return kNoSlot;
    const Slot slot = AddNode(id, name);
    Link(slot, parent);
    nodes_[slot].depth = static_cast<std::uint16_t>(nodes_[parent].depth + 1);
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
    return FindChild(parent, name, FoldedNameHash(name));
}

KeyIndex::Slot KeyIndex::FindChild(Slot parent, std::u16string_view name,
                                   std::uint32_t nameHash) const {
    return children_.Find(
        ChildKey(parent, nameHash),
        [&](Slot child) {
            return nodes_[child].parent == parent && NamesEqual(this->name(child), name);
        },
        kNoSlot);
}

}  // namespace brackwell::registry
