#pragma once
// The open key handles. A handle is a number issued once per process and
// looked up here; anything not in the table is refused, never dereferenced.
// The four predefined roots are permanent entries.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "registry/registry.h"
#include "registry/value_block.h"

namespace brackwell::registry {

// The subkeys an enumeration walks: taken at its index-0 call, so the order
// stays put while the key changes. They are slots of the key index, whose
// names stay in its pool until the index is loaded afresh; before that, Detach
// copies the names out.
struct SubkeySnapshot {
    std::vector<std::uint32_t> slots;
    bool detached = false;
    std::u16string names;             // once detached: every name in a row
    std::vector<std::uint32_t> ends;  // once detached: where each name ends

    std::size_t size() const { return detached ? ends.size() : slots.size(); }
    // Empties the snapshot and keeps its room for the next one.
    void Clear() {
        slots.clear();
        detached = false;
        names.clear();
        ends.clear();
    }
    std::u16string_view DetachedName(std::size_t i) const {
        const std::uint32_t begin = i == 0 ? 0 : ends[i - 1];
        return std::u16string_view(names).substr(begin, ends[i] - begin);
    }
};

struct OpenHandle {
    std::int64_t keyId = 0;
    // Where the key was last found in the key index, and under which of its
    // generations: the slot stands while the generation does.
    std::uint32_t slot = UINT32_MAX;
    std::uint64_t slotGeneration = UINT64_MAX;
    bool subkeysTaken = false;
    SubkeySnapshot subkeys;
    bool valuesTaken = false;
    ValueSpan values;  // taken at the index-0 call of a value enumeration

    // Drops what the enumerations took, keeping the snapshot's room.
    void ForgetEnumerations() {
        subkeysTaken = false;
        subkeys.Clear();
        valuesTaken = false;
        values = {};
    }
};

class HandleTable {
public:
    HandleTable();

    // A new handle on the key found at slot under the key index's generation.
    HKEY Add(std::int64_t keyId, std::uint32_t slot, std::uint64_t generation);
    OpenHandle* Find(HKEY hKey);  // null when hKey is not open
    bool Remove(HKEY hKey);       // a root stays open and reports success
    void ForEach(const std::function<void(OpenHandle&)>& visit);

private:
    using Table = std::unordered_map<DWORD_PTR, OpenHandle>;
    std::array<OpenHandle, 4> roots_;
    Table open_;
    // The entry of the handle closed last, emptied and kept for the next Add:
    // a program that opens and closes keys one after another (the tree fill
    // does so for every key) reuses one entry and its snapshot's room.
    Table::node_type spare_;
};

}  // namespace brackwell::registry
