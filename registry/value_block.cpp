#include "registry/value_block.h"

#include <algorithm>

namespace brackwell::registry {

void ValueBlock::Reserve(std::size_t records, std::size_t nameChars, std::size_t dataBytes) {
    records_.reserve(records);
    names_.reserve(nameChars);
    data_.reserve(dataBytes);
}

void ValueBlock::Append(std::int64_t id, std::u16string_view name, DWORD type,
                        std::span<const BYTE> data) {
    ValueRecord& added = records_.emplace_back();
    added.id = id;
    added.type = type;
    added.nameOffset = static_cast<std::uint32_t>(names_.size());
    added.nameLength = static_cast<std::uint16_t>(name.size());
    added.dataOffset = data_.size();
    added.dataSize = static_cast<std::uint32_t>(data.size());
    names_.insert(names_.end(), name.begin(), name.end());
    data_.insert(data_.end(), data.begin(), data.end());
}

void ValueBlock::Replace(std::size_t i, DWORD type, std::span<const BYTE> data) {
    ValueRecord& changed = records_[i];
    changed.type = type;
    if (data.size() > changed.dataSize) {
        changed.dataOffset = data_.size();
        data_.insert(data_.end(), data.begin(), data.end());
    } else {
        std::copy(data.begin(), data.end(),
                  data_.begin() + static_cast<std::ptrdiff_t>(changed.dataOffset));
    }
    changed.dataSize = static_cast<std::uint32_t>(data.size());
}

ValueBlock ValueBlock::Compacted() const {
    ValueBlock packed;
    for (std::size_t i = 0; i < records_.size(); ++i) {
        if (!records_[i].alive) continue;
        packed.Append(records_[i].id, name(i), records_[i].type, data(i));
    }
    return packed;
}

void ValueBlock::Reorder(const std::vector<std::uint32_t>& order) {
    std::vector<ValueRecord> reordered;
    reordered.reserve(order.size());
    for (std::uint32_t i : order) reordered.push_back(records_[i]);
    records_ = std::move(reordered);
}

}  // namespace brackwell::registry
