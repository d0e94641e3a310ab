#include "registry/registry_store.h"

#include <algorithm>

#include "registry/store_transaction.h"

namespace brackwell::registry {

RegistryStore::RegistryStore(std::unique_ptr<StoreConnection> connection)
    : connection_(std::move(connection)), tables_(*connection_) {}

LONG RegistryStore::Sync(bool withValues) {
    if (!stale_ && connection_->ChangeCounter() == counter_ && (valuesLoaded_ || !withValues)) {
        return ERROR_SUCCESS;
    }
    return Reload(withValues);
}

LONG RegistryStore::Reload(bool withValues) {
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
        valuesLoaded_ = false;
        rc = tables_.LoadKeys(index_);
    }
    if (rc == SQLITE_OK && withValues && !valuesLoaded_) {
        rc = tables_.LoadValues(index_);
        valuesLoaded_ = rc == SQLITE_OK;
    }
    if (rc != SQLITE_OK) return ErrorFromSqlite(rc);
    counter_ = counter;
    stale_ = false;
    return ERROR_SUCCESS;
}

LONG RegistryStore::SlotOfHandle(const OpenHandle& open, Slot* slot) const {
    *slot = index_.SlotOf(open.keyId);
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
    for (std::size_t i = pathCache_.Resume(base, path, index_.generation(), &slot); i < path.size(); ++i) {
        slot = index_.FindChild(slot, path[i]);
        if (slot == KeyIndex::kNoSlot) break;
        pathCache_.Extend(path[i], slot);
    }
    return slot;
}

LONG RegistryStore::LoadedValues(Slot* slot, ValueListPtr* values) {
    if (!valuesLoaded_) {
        const std::int64_t id = index_.node(*slot).id;
        if (const LONG rc = Sync(true); rc != ERROR_SUCCESS) return rc;
        *slot = index_.SlotOf(id);
        if (*slot == KeyIndex::kNoSlot) return ERROR_KEY_DELETED;
    }
    *values = index_.node(*slot).values;
    return ERROR_SUCCESS;
}

LONG RegistryStore::OpenKey(HKEY base, const Names& path, HKEY* result) {
    auto* open = handles_.Find(base);
    if (!open) return ERROR_INVALID_HANDLE;
    Slot slot;
    LONG rc = Sync(false);
    if (rc == ERROR_SUCCESS) rc = SlotOfHandle(*open, &slot);
    if (rc != ERROR_SUCCESS) return rc;
    slot = Resolve(slot, path);
    if (slot == KeyIndex::kNoSlot) return ERROR_FILE_NOT_FOUND;
    *result = handles_.Add(index_.node(slot).id);
    return ERROR_SUCCESS;
}

LONG RegistryStore::EnumKey(HKEY key, DWORD index, const std::u16string** name) {
    auto* open = handles_.Find(key);
    if (!open) return ERROR_INVALID_HANDLE;
    // Past index 0 the enumeration reads the names it took then, so other
    // processes' changes need not be looked for.
    const bool snapshot = index != 0 && open->subkeysTaken;
    Slot slot;
    LONG rc = snapshot ? ERROR_SUCCESS : Sync(false);
    if (rc == ERROR_SUCCESS) rc = SlotOfHandle(*open, &slot);
    if (rc != ERROR_SUCCESS) return rc;
    if (!snapshot) {
        open->subkeys.clear();
        for (Slot child = index_.node(slot).firstChild; child != KeyIndex::kNoSlot;
             child = index_.node(child).nextSibling) {
            open->subkeys.push_back(index_.node(child).name);
        }
        open->subkeysTaken = true;
    }
    if (index >= open->subkeys.size()) return ERROR_NO_MORE_ITEMS;
    *name = &open->subkeys[index];
    return ERROR_SUCCESS;
}

LONG RegistryStore::EnumValue(HKEY key, DWORD index, ValueRef* value) {
    auto* open = handles_.Find(key);
    if (!open) return ERROR_INVALID_HANDLE;
    const bool snapshot = index != 0 && open->valuesTaken;
    Slot slot;
    LONG rc = snapshot ? ERROR_SUCCESS : Sync(true);
    if (rc == ERROR_SUCCESS) rc = SlotOfHandle(*open, &slot);
    if (rc != ERROR_SUCCESS) return rc;
    if (!snapshot) {
        open->values = index_.node(slot).values;
        open->valuesTaken = true;
    }
    if (!open->values || index >= open->values->size()) return ERROR_NO_MORE_ITEMS;
    *value = {open->values, &(*open->values)[index]};
    return ERROR_SUCCESS;
}

LONG RegistryStore::QueryInfo(HKEY key, bool countSubKeys, KeyInfo* info) {
    auto* open = handles_.Find(key);
    if (!open) return ERROR_INVALID_HANDLE;
    Slot slot;
    LONG rc = Sync(true);
    if (rc == ERROR_SUCCESS) rc = SlotOfHandle(*open, &slot);
    if (rc != ERROR_SUCCESS) return rc;
    *info = {};
    const Slot first = countSubKeys ? index_.node(slot).firstChild : KeyIndex::kNoSlot;
    for (Slot child = first; child != KeyIndex::kNoSlot;
         child = index_.node(child).nextSibling) {
        ++info->subKeys;
        info->maxSubKeyNameLength = std::max<DWORD>(info->maxSubKeyNameLength,
                                                    static_cast<DWORD>(index_.node(child).name.size()));
    }
    if (const ValueListPtr& values = index_.node(slot).values) {
        info->values = static_cast<DWORD>(values->size());
        for (const ValueRecord& value : *values) {
            info->maxValueNameLength =
                std::max<DWORD>(info->maxValueNameLength, static_cast<DWORD>(value.name.size()));
            info->maxValueDataSize =
                std::max<DWORD>(info->maxValueDataSize, static_cast<DWORD>(value.data.size()));
        }
    }
    return ERROR_SUCCESS;
}

LONG RegistryStore::QueryValue(HKEY key, std::u16string_view name, ValueRef* value) {
    auto* open = handles_.Find(key);
    if (!open) return ERROR_INVALID_HANDLE;
    Slot slot;
    LONG rc = Sync(true);
    if (rc == ERROR_SUCCESS) rc = SlotOfHandle(*open, &slot);
    if (rc != ERROR_SUCCESS) return rc;
    const ValueListPtr& values = index_.node(slot).values;
    const std::ptrdiff_t found = values ? FindValue(*values, name) : -1;
    if (found < 0) return ERROR_FILE_NOT_FOUND;
    *value = {values, &(*values)[static_cast<std::size_t>(found)]};
    return ERROR_SUCCESS;
}

LONG RegistryStore::CloseKey(HKEY key) {
    return handles_.Remove(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

}  // namespace brackwell::registry
