// The writing half of RegistryStore: transactions and the changes they make.

#include "registry/registry_limits.h"
#include "registry/registry_store.h"
#include "registry/store_transaction.h"

namespace brackwell::registry {

LONG RegistryStore::Write(const std::function<LONG()>& body) {
    if (connection_->readOnly()) return ERROR_ACCESS_DENIED;
    WriteTransaction transaction(*connection_);
    if (transaction.status() != SQLITE_OK) return ErrorFromSqlite(transaction.status());

    const std::uint64_t keyChangesBefore = keyChanges_;
    const std::uint64_t valueChangesBefore = valueChanges_;
    const std::int64_t changesBefore = connection_->TotalChanges();
    LONG result = transaction.nested() ? ERROR_SUCCESS : Sync();
    if (result == ERROR_SUCCESS) result = body();
    if (result == ERROR_SUCCESS) result = ErrorFromSqlite(transaction.Commit());
    if (result != ERROR_SUCCESS) {
        // The transaction rolls back as it goes out of scope.
        if (keyChanges_ != keyChangesBefore) stale_ = true;
        if (valueChanges_ != valueChangesBefore) DropValues();
        return result;
    }
    // Our commit bumped the change counter by one; no one else could commit
    // while we held the lock, so the mirror matches the new counter.
    if (!transaction.nested() && counter_ && connection_->TotalChanges() != changesBefore)
        ++*counter_;
    return ERROR_SUCCESS;
}

LONG RegistryStore::CreatePath(Slot base, const Names& path, Slot* slot, bool* created) {
    if (index_.node(base).depth + path.size() > kMaxKeyDepth) return ERROR_INVALID_PARAMETER;
    for (std::u16string_view name : path) {
        if (name.size() > kMaxKeyNameLength) return ERROR_INVALID_PARAMETER;
    }
    *created = false;
    for (std::u16string_view name : path) {
        const Slot child = index_.FindChild(base, name);
        if (child != KeyIndex::kNoSlot) {
            base = child;
            *created = false;
            continue;
        }
        std::int64_t id = 0;
        if (const int rc = tables_.InsertKey(index_.node(base).id, name, &id); rc != SQLITE_OK) {
            return ErrorFromSqlite(rc);
        }
        ++keyChanges_;
        base = index_.Append(id, base, name);
        if (base == KeyIndex::kNoSlot) return ERROR_REGISTRY_CORRUPT;
        *created = true;
    }
    *slot = base;
    return ERROR_SUCCESS;
}

LONG RegistryStore::RemoveKey(Slot slot) {
    if (index_.node(slot).parent == KeyIndex::kNoSlot) return ERROR_ACCESS_DENIED;
    if (const int rc = tables_.DeleteKeyTree(index_.node(slot).id); rc != SQLITE_OK) {
        return ErrorFromSqlite(rc);
    }
    ++keyChanges_;
    index_.Remove(slot);
    // The values of the keys removed need not be held any more.
    heldValues_.clear();
    return ERROR_SUCCESS;
}

// The value is written by name, so the store finds it by its index on
// (key, folded name) in O(log n); the values held in memory, if any, follow
// in amortised O(1), and a bulk read is dropped, as it no longer matches.
LONG RegistryStore::PutValue(Slot slot, std::u16string_view name, DWORD type,
                             std::span<const BYTE> data) {
    if (name.size() > kMaxValueNameLength || data.size() > kMaxValueDataSize) {
        return ERROR_INVALID_PARAMETER;
    }
    const std::int64_t keyId = index_.node(slot).id;
    std::int64_t id = 0;
    if (const int rc = tables_.PutValue(keyId, name, type, data, &id); rc != SQLITE_OK) {
        return ErrorFromSqlite(rc);
    }
    ++valueChanges_;
    if (ValueList* held = HeldValues(keyId)) held->Put(id, name, type, data);
    DropBulkValues();
    return ERROR_SUCCESS;
}

LONG RegistryStore::RemoveValue(Slot slot, std::u16string_view name) {
    const std::int64_t keyId = index_.node(slot).id;
    bool found = false;
    if (const int rc = tables_.DeleteValue(keyId, name, &found); rc != SQLITE_OK) {
        return ErrorFromSqlite(rc);
    }
    if (!found) return ERROR_FILE_NOT_FOUND;
    ++valueChanges_;
    if (ValueList* held = HeldValues(keyId)) {
        if (const std::ptrdiff_t index = held->Find(name); index >= 0) {
            held->Remove(static_cast<std::size_t>(index));
        }
    }
    DropBulkValues();
    return ERROR_SUCCESS;
}

LONG RegistryStore::CreateKey(HKEY base, const Names& path, HKEY* result, DWORD* disposition) {
    auto* open = handles_.Find(base);
    if (!open) return ERROR_INVALID_HANDLE;
    const std::int64_t baseId = open->keyId;
    Slot slot;
    LONG rc = Sync();
    if (rc == ERROR_SUCCESS) rc = SlotOfHandle(*open, &slot);
    if (rc != ERROR_SUCCESS) return rc;

    bool created = false;
    Slot found = Resolve(slot, path);
    if (found == KeyIndex::kNoSlot) {
        rc = Write([&] {
            Slot start = index_.SlotOf(baseId);
            if (start == KeyIndex::kNoSlot) return ERROR_KEY_DELETED;
            return CreatePath(start, path, &found, &created);
        });
        if (rc != ERROR_SUCCESS) return rc;
    }
    *result = handles_.Add(index_.node(found).id, found, index_.generation());
    if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
}

LONG RegistryStore::SetValue(HKEY key, std::u16string_view name, DWORD type,
                             std::span<const BYTE> data) {
    auto* open = handles_.Find(key);
    if (!open) return ERROR_INVALID_HANDLE;
    if (name.size() > kMaxValueNameLength || data.size() > kMaxValueDataSize) {
        return ERROR_INVALID_PARAMETER;
    }
    return Write([&] {
        Slot slot;
        const LONG rc = SlotOfHandle(*open, &slot);
        return rc == ERROR_SUCCESS ? PutValue(slot, name, type, data) : rc;
    });
}

LONG RegistryStore::DeleteKey(HKEY base, const Names& path) {
    auto* open = handles_.Find(base);
    if (!open) return ERROR_INVALID_HANDLE;
    if (path.empty()) return ERROR_ACCESS_DENIED;
    return Write([&] {
        Slot slot;
        const LONG rc = SlotOfHandle(*open, &slot);
        if (rc != ERROR_SUCCESS) return rc;
        slot = Resolve(slot, path);
        return slot == KeyIndex::kNoSlot ? ERROR_FILE_NOT_FOUND : RemoveKey(slot);
    });
}

LONG RegistryStore::DeleteValue(HKEY key, std::u16string_view name) {
    auto* open = handles_.Find(key);
    if (!open) return ERROR_INVALID_HANDLE;
    return Write([&] {
        Slot slot;
        const LONG rc = SlotOfHandle(*open, &slot);
        return rc == ERROR_SUCCESS ? RemoveValue(slot, name) : rc;
    });
}

}  // namespace brackwell::registry
