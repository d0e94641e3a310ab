#pragma once
// The values of one key as the store keeps them while the key is in use:
// found by name through a hash index, so finding, adding, replacing and
// removing a value cost amortised O(1) however many values the key holds.
// Enumeration walks a snapshot: the block of records as it stood, which no
// later change touches, because a change to a block that a snapshot still
// shares is made on a copy.

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "registry/value_block.h"

namespace brackwell::registry {

class ValueList {
public:
    ValueList() : block_(std::make_shared<ValueBlock>()) {}
    explicit ValueList(std::shared_ptr<ValueBlock> block) : block_(std::move(block)) {}

    // The live values in creation order; removed ones are packed away first.
    ValueSpan Snapshot();
    // Index in the block of the live value named name (without regard to
    // case), or -1. The block stays valid until the next change.
    std::ptrdiff_t Find(std::u16string_view name);
    const ValueBlock& block() const { return *block_; }

    // Adds the value, or gives the one of that name new data in its place.
    void Put(std::int64_t id, std::u16string_view name, DWORD type, std::span<const BYTE> data);
    void Remove(std::size_t index);

private:
    ValueBlock& Writable();
    void Index(std::size_t record);
    void Rebuild();

    std::shared_ptr<ValueBlock> block_;
    std::size_t dead_ = 0;
    // Open addressing over record numbers + 1 (0 = empty); built on first use.
    std::vector<std::uint32_t> buckets_;
    std::size_t indexed_ = 0;
};

}  // namespace brackwell::registry
