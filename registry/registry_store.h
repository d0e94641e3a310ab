#pragma once
// The open registry: the SQLite file, the key tree mirrored in memory and the
// handle table. Reads are answered from memory after a cheap check that no
// other process has committed since the last load (the file's change counter);
// when one has, the mirror is reloaded. Writes run in an IMMEDIATE transaction,
// update the mirror as they go and commit durably before they report success;
// a write that fails rolls back, and if it had touched the mirror, the mirror
// is reloaded before the next call.
// Every key is loaded at once and checked as it is read. Values are read per
// key when a key's values are asked for, and kept for the few keys last used;
// when a caller reads the values of key after key in quick succession (a
// search walks them all), one scan of the table reads every value at once,
// which costs a fraction of a query per key.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "registry/handle_table.h"
#include "registry/key_index.h"
#include "registry/mapped_change_counter.h"
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

// A value found by a call; the block keeps it alive.
struct ValueRef {
    std::shared_ptr<const ValueBlock> block;
    std::size_t index = 0;

    std::u16string_view name() const { return block->name(index); }
    DWORD type() const { return block->record(index).type; }
    std::span<const BYTE> data() const { return block->data(index); }
};

class RegistryStore {
public:
    using Slot = KeyIndex::Slot;
    using Names = std::vector<std::u16string_view>;

    explicit RegistryStore(std::unique_ptr<StoreConnection> connection);

    StoreConnection& connection() { return *connection_; }
    StoreTables& tables() { return tables_; }

    // The first load of a file: every key, and every value row for the rules
    // that hold whichever key is read. SQLITE_CORRUPT with *problem set when a
    // row breaks one of the store's rules.
    int Open(std::string* problem);
    // The same checks again on the file as it is now, keys and value rows.
    int CheckValues(std::string* problem);

    // The ten calls, arguments already split and checked for null pointers.
    LONG OpenKey(HKEY base, const Names& path, HKEY* result);
    LONG CreateKey(HKEY base, const Names& path, HKEY* result, DWORD* disposition);
    LONG EnumKey(HKEY key, DWORD index, std::u16string_view* name);
    LONG EnumValue(HKEY key, DWORD index, ValueRef* value);
    // Subkeys are counted only when asked, as it walks every child, and
    // values only when asked, as it reads them.
    LONG QueryInfo(HKEY key, bool countSubKeys, bool countValues, KeyInfo* info);
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

    // Brings the key mirror up to date with the file.
    LONG Sync();
    // Why the last load failed, when a row broke the store's rules.
    const std::string& problem() const { return problem_; }

private:
    LONG Reload();
    std::optional<std::uint32_t> ChangeCounter() const;
    // The live key of an open handle, after Sync.
    LONG SlotOfHandle(OpenHandle& open, Slot* slot) const;
    // The values of the key at slot, reading them from the file when they are
    // not held; when the file changed meanwhile, *slot is resolved again.
    LONG ValuesOf(Slot* slot, ValueSpan* values);
    // The values when they are held in memory.
    bool HeldValuesOf(Slot slot, ValueSpan* values);
    LONG ReadValues(Slot slot, ValueSpan* values);
    // The held list of a key's values, or null.
    ValueList* HeldValues(std::int64_t keyId);
    void HoldValues(std::int64_t keyId, ValueList list);
    void DropValues();
    void DropBulkValues();
    bool ReadInBulk();

    // Declared first so that it is closed last, after SQLite's descriptor.
    MappedChangeCounter mappedCounter_;
    bool counterMapped_ = false;  // the mapping is known to show the file SQLite has open
    std::unique_ptr<StoreConnection> connection_;
    StoreTables tables_;
    KeyIndex index_;
    HandleTable handles_;
    PathCache pathCache_;
    std::optional<std::uint32_t> counter_;  // change counter at the last load or own commit
    bool stale_ = true;                     // the mirror must be reloaded
    std::uint64_t keyChanges_ = 0;          // changes made to the key mirror by writes
    std::uint64_t valueChanges_ = 0;        // changes made to held values by writes
    std::string problem_;

    // Values of the keys used last, most recent at the back.
    std::vector<std::pair<std::int64_t, ValueList>> heldValues_;
    // The value rows' sizes as the last check saw them: what a bulk read reserves.
    ValueSizes valueSizes_;
    // Every key's values, after a bulk read: allFirst_[slot] to allFirst_[slot + 1].
    std::shared_ptr<const ValueBlock> allValues_;
    std::vector<std::uint32_t> allFirst_;
    std::chrono::steady_clock::time_point bulkUsed_;
    // Keys whose values were read one by one in the current burst.
    std::size_t burstReads_ = 0;
    std::chrono::steady_clock::time_point burstStart_;
};

}  // namespace brackwell::registry
