#pragma once
// The open registry: the SQLite file, the key tree mirrored in memory and the
// handle table. Reads are answered from memory after a cheap check that no
// other process has committed since the last load (the file's change counter);
// when one has, the mirror is reloaded. Writes run in an IMMEDIATE transaction,
// update the mirror as they go and commit durably before they report success;
// a write that fails rolls back, and if it had touched the mirror, the mirror
// is reloaded before the next call.
// Values are loaded on the first call that needs them, all at once: one scan
// of the table costs less than a query per key.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "registry/handle_table.h"
#include "registry/key_index.h"
#include "registry/path_cache.h"
#include "registry/registry.h"
#include "registry/store_connection.h"
#include "registry/store_tables.h"
#include "registry/value_list.h"

namespace brackwell::registry {

struct KeyInfo {
    DWORD subKeys = 0;
    DWORD maxSubKeyNameLength = 0;  // characters, without terminator
    DWORD values = 0;
    DWORD maxValueNameLength = 0;  // characters, without terminator
    DWORD maxValueDataSize = 0;    // bytes
};

// A value found by a call; the list keeps the record alive.
struct ValueRef {
    ValueListPtr list;
    const ValueRecord* record = nullptr;
};

class RegistryStore {
public:
    using Slot = KeyIndex::Slot;
    using Names = std::vector<std::u16string_view>;

    explicit RegistryStore(std::unique_ptr<StoreConnection> connection);

    StoreConnection& connection() { return *connection_; }
    StoreTables& tables() { return tables_; }

    // The ten calls, arguments already split and checked for null pointers.
    LONG OpenKey(HKEY base, const Names& path, HKEY* result);
    LONG CreateKey(HKEY base, const Names& path, HKEY* result, DWORD* disposition);
    LONG EnumKey(HKEY key, DWORD index, const std::u16string** name);
    LONG EnumValue(HKEY key, DWORD index, ValueRef* value);
    // Subkeys are counted only when asked: it walks every child.
    LONG QueryInfo(HKEY key, bool countSubKeys, KeyInfo* info);
    LONG QueryValue(HKEY key, std::u16string_view name, ValueRef* value);
    LONG SetValue(HKEY key, std::u16string_view name, DWORD type, std::span<const BYTE> data);
    LONG DeleteKey(HKEY base, const Names& path);
    LONG DeleteValue(HKEY key, std::u16string_view name);
    LONG CloseKey(HKEY key);

    // Runs body in one write transaction, nested in the caller's when one is
    // open. Commits when body returns ERROR_SUCCESS, else rolls back.
    LONG Write(const std::function<LONG()>& body);

    // Building blocks for bodies passed to Write.
    LONG RootSlot(HKEY root, Slot* slot);
    Slot Resolve(Slot base, const Names& path);  // kNoSlot when a name is missing
    LONG CreatePath(Slot base, const Names& path, Slot* slot, bool* created);
    LONG RemoveKey(Slot slot);
    LONG PutValue(Slot slot, std::u16string_view name, DWORD type, std::span<const BYTE> data);
    LONG RemoveValue(Slot slot, std::u16string_view name);

    // Brings the mirror up to date with the file (and its values when asked).
    LONG Sync(bool withValues);

private:
    LONG Reload(bool withValues);
    // The live key of an open handle, after Sync.
    LONG SlotOfHandle(const OpenHandle& open, Slot* slot) const;
    // The values of *slot, loading them first if needed (which may move *slot).
    LONG LoadedValues(Slot* slot, ValueListPtr* values);

    std::unique_ptr<StoreConnection> connection_;
    StoreTables tables_;
    KeyIndex index_;
    HandleTable handles_;
    PathCache pathCache_;
    std::optional<std::uint32_t> counter_;  // change counter at the last load or own commit
    bool stale_ = true;  // the mirror must be reloaded
    bool valuesLoaded_ = false;
    std::uint64_t mutations_ = 0;  // changes made to the mirror by writes
};

}  // namespace brackwell::registry
