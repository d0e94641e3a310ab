#include "registry/registry_store.h"

#include <algorithm>
#include <thread>

#include "registry/name_folding.h"
#include "registry/store_transaction.h"

namespace brackwell::registry {

RegistryStore::RegistryStore(std::unique_ptr<StoreConnection> connection)
    : connection_(std::move(connection)), tables_(*connection_) {}

// The value rows are scanned on a second connection while this one loads the
// keys: the passes read different tables, so the two cores each take one. The
// caller's read transaction holds the registry's lock, so no writer commits
// between them and both see the same file. A file in write-ahead-log mode, or
// a second connection that cannot read, gets the passes one after the other.
int RegistryStore::Open(std::string* problem) {
    struct ValueScan {
        int rc = SQLITE_ERROR;
        std::vector<ValueOwner> owners;
        ValueSizes sizes;
        std::string problem;
    } scan;
    std::unique_ptr<StoreConnection> second;
    if (connection_->QueryText("PRAGMA journal_mode") != "wal") {
        std::string ignored;
        second = StoreConnection::Open(connection_->path(), StoreAccess::ReadOnly, &ignored);
    }
    std::thread scanner;
    if (second) {
        scanner = std::thread([&] {
            if (second->Execute("BEGIN") != SQLITE_OK) return;
            scan.rc = StoreTables(*second).ScanValueRows(&scan.owners, &scan.sizes, &scan.problem);
            second->Execute("COMMIT");
        });
    }
    const LONG synced = Sync();
    if (scanner.joinable()) scanner.join();
    int rc;
    if (synced != ERROR_SUCCESS) {
        *problem = problem_;
        rc = problem_.empty() ? connection_->ErrorCode() : SQLITE_CORRUPT;
    } else if (scan.rc == SQLITE_OK) {
        *problem = ValueWithoutKey(index_, scan.owners);
        valueSizes_ = scan.sizes;
        rc = problem->empty() ? SQLITE_OK : SQLITE_CORRUPT;
    } else if (!scan.problem.empty()) {
        *problem = scan.problem;
        rc = scan.rc;
    } else {
        rc = tables_.CheckValueRows(index_, &valueSizes_, problem);
    }
    if (rc != SQLITE_OK) stale_ = true;
    return rc;
}

std::optional<std::uint32_t> RegistryStore::ChangeCounter() const {
    return counterMapped_ ? mappedCounter_.Read() : connection_->ChangeCounter();
}

int RegistryStore::CheckValues(std::string* problem) {
    if (const LONG rc = Sync(); rc != ERROR_SUCCESS) {
        *problem = problem_;
        return problem_.empty() ? connection_->ErrorCode() : SQLITE_CORRUPT;
    }
    return tables_.CheckValueRows(index_, &valueSizes_, problem);
}

LONG RegistryStore::Sync() {
    if (!stale_ && ChangeCounter() == counter_) return ERROR_SUCCESS;
    return Reload();
}

LONG RegistryStore::Reload() {
    const ReadTransaction transaction(*connection_);
    int rc = transaction.status();
    if (rc != SQLITE_OK) return ErrorFromSqlite(rc);

    // The first statement takes the shared lock, which holds the file still
    // until COMMIT, so the counter read next matches what gets loaded.
    const auto version = connection_->QueryInt("PRAGMA user_version");
    const auto counter = connection_->ChangeCounter();
    if (!version) {
        // A file locked by another writer fails here, after the busy timeout.
        rc = connection_->ErrorCode() != SQLITE_OK ? connection_->ErrorCode() : SQLITE_IOERR;
    } else if (!counter) {
        rc = SQLITE_IOERR;
    } else if (*version != kSchemaVersion) {
        rc = SQLITE_CORRUPT;
    } else if (stale_ || counter != counter_) {
        stale_ = true;
        // Enumerations still under way keep the names they were given.
        handles_.ForEach([this](OpenHandle& open) {
            SubkeySnapshot& taken = open.subkeys;
            if (!open.subkeysTaken || taken.detached) return;
            for (const Slot slot : taken.slots) {
                taken.names += index_.name(slot);
                taken.ends.push_back(static_cast<std::uint32_t>(taken.names.size()));
            }
            taken.slots = {};
            taken.detached = true;
        });
        DropValues();
        problem_.clear();
        rc = tables_.LoadKeys(index_, &problem_);
    }
    // Under the lock, the mapping and SQLite's own read must agree that they
    // look at the same file before the mapping is trusted.
    // A file still being seeded has no header on disk yet and is mapped later.
    if (rc == SQLITE_OK && !counterMapped_ && *counter != 0 &&
        mappedCounter_.Map(connection_->path())) {
        counterMapped_ = mappedCounter_.Read() == counter;
    }
    if (rc != SQLITE_OK) return ErrorFromSqlite(rc);
    counter_ = counter;
    stale_ = false;
    return ERROR_SUCCESS;
}

LONG RegistryStore::SlotOfHandle(OpenHandle& open, Slot* slot) const {
    if (open.slotGeneration != index_.generation()) {
        open.slot = index_.SlotOf(open.keyId);
        open.slotGeneration = index_.generation();
    }
    *slot = open.slot;
    return *slot == KeyIndex::kNoSlot ? ERROR_KEY_DELETED : ERROR_SUCCESS;
}

LONG RegistryStore::RootSlot(HKEY root, Slot* slot) {
    const std::int64_t id = RootKeyId(root);
    if (id == 0) return ERROR_INVALID_HANDLE;
    *slot = index_.SlotOf(id);
    return *slot == KeyIndex::kNoSlot ? ERROR_REGISTRY_CORRUPT : ERROR_SUCCESS;
}

RegistryStore::Slot RegistryStore::Resolve(Slot base, const Names& path) {
    Slot slot;
    for (std::size_t i = pathCache_.Resume(base, path, index_, &slot); i < path.size(); ++i) {
        const Slot candidate = pathCache_.Candidate(slot, index_);
        slot = candidate != KeyIndex::kNoSlot && index_.name(candidate) == path[i]
                   ? candidate
                   : index_.FindChild(slot, path[i]);
        if (slot == KeyIndex::kNoSlot) break;
        pathCache_.Extend(slot);
    }
    return slot;
}

LONG RegistryStore::OpenKey(HKEY base, const Names& path, HKEY* result) {
    auto* open = handles_.Find(base);
    if (!open) return ERROR_INVALID_HANDLE;
    Slot slot;
    LONG rc = Sync();
    if (rc == ERROR_SUCCESS) rc = SlotOfHandle(*open, &slot);
    if (rc != ERROR_SUCCESS) return rc;
    slot = Resolve(slot, path);
    if (slot == KeyIndex::kNoSlot) return ERROR_FILE_NOT_FOUND;
    *result = handles_.Add(index_.node(slot).id, slot, index_.generation());
    return ERROR_SUCCESS;
}

LONG RegistryStore::EnumKey(HKEY key, DWORD index, std::u16string_view* name) {
    auto* open = handles_.Find(key);
    if (!open) return ERROR_INVALID_HANDLE;
    SubkeySnapshot& taken = open->subkeys;
    // Past index 0 the enumeration reads the names it took then, so other
    // processes' changes need not be looked for.
    if (index == 0 || !open->subkeysTaken) {
        Slot slot;
        LONG rc = Sync();
        if (rc == ERROR_SUCCESS) rc = SlotOfHandle(*open, &slot);
        if (rc != ERROR_SUCCESS) return rc;
        taken.Clear();
        for (Slot child = index_.node(slot).firstChild; child != KeyIndex::kNoSlot;
             child = index_.node(child).nextSibling) {
            taken.slots.push_back(child);
        }
        open->subkeysTaken = true;
    }
    if (index >= taken.size()) return ERROR_NO_MORE_ITEMS;
    *name = taken.detached ? taken.DetachedName(index) : index_.name(taken.slots[index]);
    return ERROR_SUCCESS;
}

LONG RegistryStore::EnumValue(HKEY key, DWORD index, ValueRef* value) {
    auto* open = handles_.Find(key);
    if (!open) return ERROR_INVALID_HANDLE;
    if (index == 0 || !open->valuesTaken) {
        Slot slot;
        LONG rc = Sync();
        if (rc == ERROR_SUCCESS) rc = SlotOfHandle(*open, &slot);
        if (rc == ERROR_SUCCESS) rc = ValuesOf(&slot, &open->values);
        if (rc != ERROR_SUCCESS) return rc;
        open->valuesTaken = true;
    }
    if (index >= open->values.size()) return ERROR_NO_MORE_ITEMS;
    *value = {open->values.block, open->values.begin + index};
    return ERROR_SUCCESS;
}

LONG RegistryStore::QueryInfo(HKEY key, bool countSubKeys, bool countValues, KeyInfo* info) {
    auto* open = handles_.Find(key);
    if (!open) return ERROR_INVALID_HANDLE;
    Slot slot;
    ValueSpan values;
    LONG rc = Sync();
    if (rc == ERROR_SUCCESS) rc = SlotOfHandle(*open, &slot);
    if (rc == ERROR_SUCCESS && countValues) rc = ValuesOf(&slot, &values);
    if (rc != ERROR_SUCCESS) return rc;
    *info = {};
    const Slot first = countSubKeys ? index_.node(slot).firstChild : KeyIndex::kNoSlot;
    for (Slot child = first; child != KeyIndex::kNoSlot; child = index_.node(child).nextSibling) {
        ++info->subKeys;
        info->maxSubKeyNameLength =
            std::max<DWORD>(info->maxSubKeyNameLength, index_.node(child).nameLength);
    }
    info->values = static_cast<DWORD>(values.size());
    for (std::uint32_t i = values.begin; i < values.end && values.block; ++i) {
        const ValueRecord& record = values.block->record(i);
        info->maxValueNameLength = std::max<DWORD>(info->maxValueNameLength, record.nameLength);
        info->maxValueDataSize = std::max<DWORD>(info->maxValueDataSize, record.dataSize);
    }
    return ERROR_SUCCESS;
}

LONG RegistryStore::QueryValue(HKEY key, std::u16string_view name, ValueRef* value) {
    auto* open = handles_.Find(key);
    if (!open) return ERROR_INVALID_HANDLE;
    Slot slot;
    ValueSpan values;
    LONG rc = Sync();
    if (rc == ERROR_SUCCESS) rc = SlotOfHandle(*open, &slot);
    if (rc == ERROR_SUCCESS) rc = ValuesOf(&slot, &values);
    if (rc != ERROR_SUCCESS) return rc;
    // A key held one by one finds by name at once (values is its snapshot);
    // in a bulk read the key's few values are compared in turn.
    if (ValueList* held = allValues_ ? nullptr : HeldValues(index_.node(slot).id)) {
        const std::ptrdiff_t found = held->Find(name);
        if (found < 0) return ERROR_FILE_NOT_FOUND;
        *value = {values.block, static_cast<std::size_t>(found)};
        return ERROR_SUCCESS;
    }
    for (std::uint32_t i = values.begin; i < values.end; ++i) {
        if (NamesEqual(values.block->name(i), name)) {
            *value = {values.block, i};
            return ERROR_SUCCESS;
        }
    }
    return ERROR_FILE_NOT_FOUND;
}

LONG RegistryStore::CloseKey(HKEY key) {
    return handles_.Remove(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

}  // namespace brackwell::registry
