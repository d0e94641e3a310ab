#pragma once
// Values held in memory in compact arrays: one fixed-size record per value,
// the names in one pool of characters and the data in one pool of bytes, so a
// million values cost three allocations, not millions. The records of one key
// stand together in creation order.

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "registry/registry.h"

namespace brackwell::registry {

struct ValueRecord {
    std::int64_t id = 0;  // row id in the store
    std::uint64_t dataOffset = 0;
    std::uint32_t nameOffset = 0;
    std::uint32_t dataSize = 0;
    DWORD type = REG_NONE;
    std::uint16_t nameLength = 0;
    bool alive = true;
};

class ValueBlock {
public:
    // Room for that many records, name characters and data bytes.
    void Reserve(std::size_t records, std::size_t nameChars, std::size_t dataBytes);
    void Append(std::int64_t id, std::u16string_view name, DWORD type, std::span<const BYTE> data);
    // Appends a record whose name and data are already in the pools.
    void AppendRecord(const ValueRecord& record) { records_.push_back(record); }
    // New data for record i: written over the old bytes when they fit, else
    // at the end of the pool.
    void Replace(std::size_t i, DWORD type, std::span<const BYTE> data);
    void Kill(std::size_t i) { records_[i].alive = false; }

    std::size_t size() const { return records_.size(); }
    const ValueRecord& record(std::size_t i) const { return records_[i]; }
    std::u16string_view name(std::size_t i) const {
        return {names_.data() + records_[i].nameOffset, records_[i].nameLength};
    }
    std::span<const BYTE> data(std::size_t i) const {
        return {data_.data() + records_[i].dataOffset, records_[i].dataSize};
    }
    // A copy holding the live records only, their pools packed.
    ValueBlock Compacted() const;
    // Records in the order given, sharing this block's pools.
    void Reorder(const std::vector<std::uint32_t>& order);

private:
    std::vector<ValueRecord> records_;
    std::vector<char16_t> names_;
    std::vector<BYTE> data_;
};

// What one enumeration walks: a range of a block that nothing changes any more.
struct ValueSpan {
    std::shared_ptr<const ValueBlock> block;
    std::uint32_t begin = 0;
    std::uint32_t end = 0;

    std::size_t size() const { return end - begin; }
};

}  // namespace brackwell::registry
