#include "registry/handle_table.h"

#include <atomic>

#include "registry/store_tables.h"

namespace brackwell::registry {
namespace {

// Shared by every registry opened in this process, so a handle value is never
// issued twice, not even after the registry is closed and opened again.
std::atomic<DWORD_PTR> nextHandle{0x10000};

}  // namespace

HandleTable::HandleTable() {
    for (std::size_t i = 0; i < roots_.size(); ++i)
        roots_[i].keyId = static_cast<std::int64_t>(i + 1);
}

HKEY HandleTable::Add(std::int64_t keyId, std::uint32_t slot, std::uint64_t generation) {
    DWORD_PTR value;
    do {
        value = nextHandle++;
    } while (RootKeyId(reinterpret_cast<HKEY>(value)) != 0);
    OpenHandle* open;
    if (spare_) {
        spare_.key() = value;
        open = &open_.insert(std::move(spare_)).position->second;
    } else {
        open = &open_[value];
    }
    open->keyId = keyId;
    open->slot = slot;
    open->slotGeneration = generation;
    return reinterpret_cast<HKEY>(value);
}

OpenHandle* HandleTable::Find(HKEY hKey) {
    if (const std::int64_t root = RootKeyId(hKey))
        return &roots_[static_cast<std::size_t>(root - 1)];
    auto it = open_.find(reinterpret_cast<DWORD_PTR>(hKey));
    return it == open_.end() ? nullptr : &it->second;
}

bool HandleTable::Remove(HKEY hKey) {
    if (RootKeyId(hKey) != 0) return true;
    Table::node_type closed = open_.extract(reinterpret_cast<DWORD_PTR>(hKey));
    if (!closed) return false;
    closed.mapped().ForgetEnumerations();
    spare_ = std::move(closed);
    return true;
}

void HandleTable::ForEach(const std::function<void(OpenHandle&)>& visit) {
    for (OpenHandle& root : roots_) visit(root);
    for (auto& [value, open] : open_) visit(open);
}

}  // namespace brackwell::registry
