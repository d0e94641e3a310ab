// The writing half of RegistryStore: transactions and the changes they make.

#include "registry/registry_store.h"

#include "registry/registry_limits.h"
#include "registry/store_transaction.h"

namespace brackwell::registry {

LONG RegistryStore::Write(const std::function<LONG()>& body) {
    if (connection_->readOnly()) return ERROR_ACCESS_DENIED;
    WriteTransaction transaction(*connection_);
    if (transaction.status() != SQLITE_OK) return ErrorFromSqlite(transaction.status());

    const std::uint64_t mutationsBefore = mutations_;
    const std::int64_t changesBefore = connection_->TotalChanges();
    LONG result = transaction.nested() ? ERROR_SUCCESS : Sync(false);
    if (result == ERROR_SUCCESS) result = body();
    if (result == ERROR_SUCCESS) result = ErrorFromSqlite(transaction.Commit());
    if (result != ERROR_SUCCESS) {
        // The transaction rolls back as it goes out of scope.
        if (mutations_ != mutationsBefore) stale_ = true;
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
        const std::int64_t parentId = index_.node(base).id;
        std::int64_t id = 0;
        if (const int rc = tables_.InsertKey(parentId, name, &id); rc != SQLITE_OK) {
            return ErrorFromSqlite(rc);
        }
        ++mutations_;
        base = index_.Append(id, parentId, std::u16string(name));
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
    ++mutations_;
    index_.Remove(slot);
    return ERROR_SUCCESS;
}

LONG RegistryStore::PutValue(Slot slot, std::u16string_view name, DWORD type,
                             std::span<const BYTE> data) {
    if (name.size() > kMaxValueNameLength || data.size() > kMaxValueDataSize) {
        return ERROR_INVALID_PARAMETER;
    }
    ValueListPtr values;
    if (const LONG rc = LoadedValues(&slot, &values); rc != ERROR_SUCCESS) return rc;
    auto changed = values ? std::make_shared<ValueList>(*values) : std::make_shared<ValueList>();
    const std::ptrdiff_t found = FindValue(*changed, name);
    int rc;
    if (found >= 0) {
        ValueRecord& record = (*changed)[static_cast<std::size_t>(found)];
        rc = tables_.UpdateValue(record.id, type, data);
        record.type = type;
        record.data.assign(data.begin(), data.end());
    } else {
        ValueRecord record{0, std::u16string(name), type, {data.begin(), data.end()}};
        rc = tables_.InsertValue(index_.node(slot).id, name, type, data, &record.id);
        changed->push_back(std::move(record));
    }
    if (rc != SQLITE_OK) return ErrorFromSqlite(rc);
    ++mutations_;
    index_.node(slot).values = std::move(changed);
    return ERROR_SUCCESS;
}

LONG RegistryStore::RemoveValue(Slot slot, std::u16string_view name) {
    ValueListPtr values;
    if (const LONG rc = LoadedValues(&slot, &values); rc != ERROR_SUCCESS) return rc;
    const std::ptrdiff_t found = values ? FindValue(*values, name) : -1;
    if (found < 0) return ERROR_FILE_NOT_FOUND;
    if (const int rc = tables_.DeleteValue((*values)[static_cast<std::size_t>(found)].id);
        rc != SQLITE_OK) {
        return ErrorFromSqlite(rc);
    }
    auto changed = std::make_shared<ValueList>(*values);
    changed->erase(changed->begin() + found);
    ++mutations_;
    index_.node(slot).values = std::move(changed);
    return ERROR_SUCCESS;
}

LONG RegistryStore::CreateKey(HKEY base, const Names& path, HKEY* result, DWORD* disposition) {
    auto* open = handles_.Find(base);
    if (!open) return ERROR_INVALID_HANDLE;
    const std::int64_t baseId = open->keyId;
    Slot slot;
    LONG rc = Sync(false);
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
    *result = handles_.Add(index_.node(found).id);
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
