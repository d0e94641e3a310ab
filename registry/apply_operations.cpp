#include "registry/apply_operations.h"

#include "registry/current_registry.h"
#include "registry/key_path.h"
#include "registry/reg_key_header.h"
#include "registry/registry_error_text.h"
#include "registry/registry_limits.h"

namespace brackwell::registry {

std::string RegOperationRefusal(const RegOperation& op,
                                const std::vector<std::u16string_view>& path) {
    if (path.size() > kMaxKeyDepth) return "the key path is deeper than 512 levels";
    for (std::u16string_view name : path) {
        if (name.size() > kMaxKeyNameLength) return "a key name is longer than 255 characters";
    }
    if (op.kind == RegOperation::Kind::DeleteKey && path.empty())
        return "a root key cannot be deleted";
    if (op.kind == RegOperation::Kind::SetValue) {
        if (op.name.size() > kMaxValueNameLength)
            return "the value name is longer than 255 characters";
        if (op.data.size() > kMaxValueDataSize) return "the value data is larger than 1 MiB";
    }
    return {};
}

namespace {

// Resolving first lets the store's path cache serve the run of values under one
// key, and the next key in tree order, without looking up every name again.
LONG ExistingOrCreated(RegistryStore& store, RegistryStore::Slot root,
                       const RegistryStore::Names& path, RegistryStore::Slot* slot) {
    *slot = store.Resolve(root, path);
    bool created = false;
    return *slot != KeyIndex::kNoSlot ? ERROR_SUCCESS
                                      : store.CreatePath(root, path, slot, &created);
}

}  // namespace

LONG ApplyOperation(RegistryStore& store, const RegOperation& op, std::string* reason) {
    RegistryStore::Slot root;
    if (store.RootSlot(op.root, &root) != ERROR_SUCCESS) {
        *reason = "the root key is unknown";
        return ERROR_INVALID_PARAMETER;
    }
    const RegistryStore::Names path = SplitKeyPath(op.path);
    *reason = RegOperationRefusal(op, path);
    if (!reason->empty()) return ERROR_INVALID_PARAMETER;

    RegistryStore::Slot slot = KeyIndex::kNoSlot;
    LONG rc = ERROR_SUCCESS;
    switch (op.kind) {
        case RegOperation::Kind::CreateKey:
            rc = ExistingOrCreated(store, root, path, &slot);
            break;
        case RegOperation::Kind::DeleteKey:
            slot = store.Resolve(root, path);
            if (slot != KeyIndex::kNoSlot) rc = store.RemoveKey(slot);
            break;
        case RegOperation::Kind::SetValue:
            rc = ExistingOrCreated(store, root, path, &slot);
            if (rc == ERROR_SUCCESS) rc = store.PutValue(slot, op.name, op.type, op.data);
            break;
        case RegOperation::Kind::DeleteValue:
            slot = store.Resolve(root, path);
            if (slot != KeyIndex::kNoSlot) rc = store.RemoveValue(slot, op.name);
            if (rc == ERROR_FILE_NOT_FOUND) rc = ERROR_SUCCESS;
            break;
    }
    if (rc != ERROR_SUCCESS) *reason = RegistryErrorText(rc);
    return rc;
}

bool ClearingOperations(std::vector<RegOperation>* operations, std::string* error) {
    WCHAR name[kMaxKeyNameLength + 1];
    for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS}) {
        for (const bool values : {false, true}) {
            LONG rc = ERROR_SUCCESS;
            for (DWORD index = 0; rc == ERROR_SUCCESS; ++index) {
                DWORD length = std::size(name);
                rc = values ? RegEnumValue(root, index, name, &length, nullptr, nullptr, nullptr,
                                           nullptr)
                            : RegEnumKeyEx(root, index, name, &length, nullptr, nullptr, nullptr,
                                           nullptr);
                if (rc != ERROR_SUCCESS) continue;
                RegOperation op;
                op.kind = values ? RegOperation::Kind::DeleteValue : RegOperation::Kind::DeleteKey;
                op.root = root;
                (values ? op.name : op.path).assign(name, length);
                operations->push_back(std::move(op));
            }
            if (rc != ERROR_NO_MORE_ITEMS) {
                *error = regfile::RegRootName(root) + ": " + RegistryErrorText(rc);
                return false;
            }
        }
    }
    return true;
}

bool ApplyOperations(const std::vector<RegOperation>& operations, std::string* error) {
    RegistryStore* store = CurrentRegistry();
    std::string reason;
    LONG rc = ERROR_INVALID_HANDLE;
    if (store) {
        rc = store->Write([&]() -> LONG {
            for (const RegOperation& op : operations) {
                if (const LONG result = ApplyOperation(*store, op, &reason);
                    result != ERROR_SUCCESS) {
                    if (op.line > 0) reason = "line " + std::to_string(op.line) + ": " + reason;
                    return result;
                }
            }
            return ERROR_SUCCESS;
        });
    }
    if (rc == ERROR_SUCCESS) return true;
    if (error)
        *error = !store ? "no registry is open" : reason.empty() ? RegistryErrorText(rc) : reason;
    return false;
}

}  // namespace brackwell::registry
