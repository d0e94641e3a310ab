#include "registry/value_list.h"

#include <bit>

#include "registry/name_folding.h"

namespace brackwell::registry {

ValueBlock& ValueList::Writable() {
    if (block_.use_count() > 1) block_ = std::make_shared<ValueBlock>(*block_);
    return *block_;
}

ValueSpan ValueList::Snapshot() {
    if (dead_ > 0) {
        block_ = std::make_shared<ValueBlock>(block_->Compacted());
        dead_ = 0;
        buckets_.clear();
    }
    return {block_, 0, static_cast<std::uint32_t>(block_->size())};
}

void ValueList::Index(std::size_t record) {
    const std::size_t mask = buckets_.size() - 1;
    std::size_t i = FoldedNameHash(block_->name(record)) & mask;
    while (buckets_[i] != 0) i = (i + 1) & mask;
    buckets_[i] = static_cast<std::uint32_t>(record + 1);
    ++indexed_;
}

// Sized for twice the records, so a lookup rarely probes far; removed records
// keep their entries until the next rebuild.
void ValueList::Rebuild() {
    buckets_.assign(std::bit_ceil(std::max<std::size_t>(16, block_->size() * 2 + 2)), 0);
    indexed_ = 0;
    for (std::size_t r = 0; r < block_->size(); ++r) {
        if (block_->record(r).alive) Index(r);
    }
}

std::ptrdiff_t ValueList::Find(std::u16string_view name) {
    if (buckets_.empty()) Rebuild();
    const std::size_t mask = buckets_.size() - 1;
    for (std::size_t i = FoldedNameHash(name) & mask; buckets_[i] != 0; i = (i + 1) & mask) {
        const std::size_t record = buckets_[i] - 1;
        if (block_->record(record).alive && NamesEqual(block_->name(record), name)) {
            return static_cast<std::ptrdiff_t>(record);
        }
    }
    return -1;
}

void ValueList::Put(std::int64_t id, std::u16string_view name, DWORD type,
                    std::span<const BYTE> data) {
    const std::ptrdiff_t found = Find(name);
    if (found >= 0) {
        Writable().Replace(static_cast<std::size_t>(found), type, data);
        return;
    }
    Writable().Append(id, name, type, data);
    if ((indexed_ + 1) * 2 > buckets_.size()) {
        Rebuild();
    } else {
        Index(block_->size() - 1);
    }
}

void ValueList::Remove(std::size_t index) {
    Writable().Kill(index);
    ++dead_;
    // Packing away the dead once they outnumber the living keeps removal
    // amortised O(1) and the block no larger than twice the live values.
    if (dead_ * 2 > block_->size()) {
        block_ = std::make_shared<ValueBlock>(block_->Compacted());
        dead_ = 0;
        Rebuild();
    }
}

}  // namespace brackwell::registry
