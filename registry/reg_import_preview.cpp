#include "registry/reg_import_preview.h"

#include <unordered_map>

#include "registry/apply_operations.h"
#include "registry/key_handle.h"
#include "registry/key_path.h"
#include "registry/name_folding.h"
#include "registry/reg_key_header.h"
#include "registry/reg_text_encoding.h"
#include "registry/registry_error_text.h"
#include "registry/registry_limits.h"

namespace brackwell::registry {

// A key as the import would leave it so far. Only keys the file names are
// held; below a key that the registry holds and the file has not deleted,
// whatever the file does not mention is as the registry holds it.
struct RegImportPreview::Node {
    HKEY root = nullptr;
    std::u16string path;  // below the root, as first named
    bool exists = false;
    bool inStore = false;  // the registry's key at path shows through
    std::unordered_map<std::u16string, std::unique_ptr<Node>> children;  // by folded name
    std::unordered_map<std::u16string, std::optional<Data>>
        values;  // by folded name; empty: deleted
};

namespace {

const HKEY kRoots[] = {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS};

std::string Failure(HKEY root, std::u16string_view path, const std::string& what, LONG rc) {
    std::string key = regfile::RegRootName(root);
    if (!path.empty()) key += "\\" + regfile::Utf16ToUtf8(path);
    return key + ": " + what + ": " + RegistryErrorText(rc);
}

// The names of key's subkeys (or values), every call checked; buffers hold the
// longest name the store allows.
bool ReadNames(HKEY root, const std::u16string& path, bool values,
               std::vector<std::u16string>* names, std::string* reason) {
    KeyHandle key;
    LONG rc = RegOpenKeyEx(root, path.c_str(), 0, 0, key.out());
    WCHAR name[kMaxKeyNameLength + 1];
    for (DWORD index = 0; rc == ERROR_SUCCESS; ++index) {
        DWORD length = std::size(name);
        rc =
            values
                ? RegEnumValue(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr)
                : RegEnumKeyEx(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_SUCCESS) names->emplace_back(name, length);
    }
    if (rc == ERROR_NO_MORE_ITEMS) return true;
    *reason = Failure(root, path, values ? "reading its values" : "listing its subkeys", rc);
    return false;
}

std::u16string Below(const std::u16string& path, std::u16string_view name) {
    return path.empty() ? std::u16string(name) : path + u'\\' + std::u16string(name);
}

// Counts the keys below root\path and the values of it and of every key below.
bool CountStoreTree(HKEY root, const std::u16string& path, std::size_t* keys, std::size_t* values,
                    std::string* reason) {
    std::vector<std::u16string> pending{path};
    while (!pending.empty()) {
        const std::u16string current = std::move(pending.back());
        pending.pop_back();
        KeyHandle key;
        DWORD valueCount = 0;
        LONG rc = RegOpenKeyEx(root, current.c_str(), 0, 0, key.out());
        if (rc == ERROR_SUCCESS) {
            rc = RegQueryInfoKey(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                 &valueCount, nullptr, nullptr, nullptr, nullptr);
        }
        if (rc != ERROR_SUCCESS) {
            *reason = Failure(root, current, "counting what it holds", rc);
            return false;
        }
        *values += valueCount;
        std::vector<std::u16string> subkeys;
        if (!ReadNames(root, current, false, &subkeys, reason)) return false;
        *keys += subkeys.size();
        for (const std::u16string& subkey : subkeys) pending.push_back(Below(current, subkey));
    }
    return true;
}

}  // namespace

RegPreviewChange RegImportPreview::ChangeAt(RegPreviewChange::Kind kind, const Node& node,
                                            std::u16string_view name) {
    RegPreviewChange change;
    change.kind = kind;
    change.root = node.root;
    change.path = node.path;
    change.name = name;
    return change;
}

RegImportPreview::RegImportPreview(Sink sink) : sink_(std::move(sink)) {
    for (HKEY root : kRoots) {
        roots_.push_back(std::make_unique<Node>());
        roots_.back()->root = root;
        roots_.back()->exists = true;
        roots_.back()->inStore = true;
    }
}

RegImportPreview::~RegImportPreview() = default;

void RegImportPreview::Report(RegPreviewChange change) {
    switch (change.kind) {
        case RegPreviewChange::Kind::CreateKey:
            ++totals_.keysCreated;
            break;
        case RegPreviewChange::Kind::DeleteKey:
            ++totals_.keysDeleted;
            totals_.keysBelowDeleted += change.keysBelow;
            totals_.valuesBelowDeleted += change.valuesBelow;
            break;
        case RegPreviewChange::Kind::AddValue:
            ++totals_.valuesAdded;
            break;
        case RegPreviewChange::Kind::ChangeValue:
            ++totals_.valuesChanged;
            break;
        case RegPreviewChange::Kind::DeleteValue:
            ++totals_.valuesDeleted;
            break;
    }
    sink_(change);
}

bool RegImportPreview::Child(Node& parent, std::u16string_view name, Node** child,
                             std::string* reason) {
    std::u16string folded = FoldName(name);
    if (const auto found = parent.children.find(folded); found != parent.children.end()) {
        *child = found->second.get();
        return true;
    }
    auto node = std::make_unique<Node>();
    node->root = parent.root;
    node->path = Below(parent.path, name);
    if (parent.inStore) {
        KeyHandle key;
        const LONG rc = RegOpenKeyEx(node->root, node->path.c_str(), 0, 0, key.out());
        if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) {
            *reason = Failure(node->root, node->path, "opening it", rc);
            return false;
        }
        node->exists = node->inStore = rc == ERROR_SUCCESS;
    }
    *child = node.get();
    parent.children.emplace(std::move(folded), std::move(node));
    return true;
}

// The key op names, created on the way when create is set (as the import
// creates missing keys); null when it does not exist and create is not set.
bool RegImportPreview::Walk(const RegOperation& op, bool create, Node** node, std::string* reason) {
    Node* current = nullptr;
    for (std::size_t i = 0; i < std::size(kRoots); ++i) {
        if (kRoots[i] == op.root) current = roots_[i].get();
    }
    if (!current) {
        *reason = "the root key is unknown";
        return false;
    }
    for (const std::u16string_view name : SplitKeyPath(op.path)) {
        if (!Child(*current, name, &current, reason)) return false;
        if (current->exists) continue;
        if (!create) {
            *node = nullptr;
            return true;
        }
        current->exists = true;
        Report(ChangeAt(RegPreviewChange::Kind::CreateKey, *current));
    }
    *node = current;
    return true;
}

bool RegImportPreview::CurrentValue(const Node& node, std::u16string_view name,
                                    std::optional<Data>* value, std::string* reason) {
    if (const auto found = node.values.find(FoldName(name)); found != node.values.end()) {
        *value = found->second;
        return true;
    }
    value->reset();
    if (!node.inStore) return true;
    KeyHandle key;
    const std::u16string text(name);
    Data data;
    DWORD size = 0;
    LONG rc = RegOpenKeyEx(node.root, node.path.c_str(), 0, 0, key.out());
    if (rc == ERROR_SUCCESS)
        rc = RegQueryValueEx(key.get(), text.c_str(), nullptr, &data.type, nullptr, &size);
    if (rc == ERROR_SUCCESS) {
        data.bytes.resize(size);
        rc =
            RegQueryValueEx(key.get(), text.c_str(), nullptr, &data.type, data.bytes.data(), &size);
        data.bytes.resize(size);
    }
    if (rc == ERROR_FILE_NOT_FOUND) return true;
    if (rc != ERROR_SUCCESS) {
        *reason = Failure(node.root, node.path, "reading a value", rc);
        return false;
    }
    *value = std::move(data);
    return true;
}

// The keys below node and the values of node and of every key below it, as the
// import would find them.
bool RegImportPreview::CountBelow(const Node& node, std::size_t* keys, std::size_t* values,
                                  std::string* reason) {
    for (const auto& [name, value] : node.values) *values += value.has_value();
    for (const auto& [name, child] : node.children) {
        if (!child->exists) continue;
        ++*keys;
        if (!CountBelow(*child, keys, values, reason)) return false;
    }
    if (!node.inStore) return true;
    std::vector<std::u16string> names;
    if (!ReadNames(node.root, node.path, true, &names, reason)) return false;
    for (const std::u16string& name : names) *values += !node.values.contains(FoldName(name));
    names.clear();
    if (!ReadNames(node.root, node.path, false, &names, reason)) return false;
    for (const std::u16string& name : names) {
        if (node.children.contains(FoldName(name))) continue;
        ++*keys;
        if (!CountStoreTree(node.root, Below(node.path, name), keys, values, reason)) return false;
    }
    return true;
}

bool RegImportPreview::Apply(const RegOperation& op, std::string* reason) {
    *reason = RegOperationRefusal(op, SplitKeyPath(op.path));
    if (!reason->empty()) return false;
    using Kind = RegOperation::Kind;
    const bool create = op.kind == Kind::CreateKey || op.kind == Kind::SetValue;
    Node* node = nullptr;
    if (!Walk(op, create, &node, reason)) return false;
    if (!node || op.kind == Kind::CreateKey) return true;

    if (op.kind == Kind::DeleteKey) {
        RegPreviewChange change = ChangeAt(RegPreviewChange::Kind::DeleteKey, *node);
        if (!CountBelow(*node, &change.keysBelow, &change.valuesBelow, reason)) return false;
        node->exists = node->inStore = false;
        node->children.clear();
        node->values.clear();
        Report(std::move(change));
        return true;
    }
    std::optional<Data> current;
    if (!CurrentValue(*node, op.name, &current, reason)) return false;
    RegPreviewChange change = ChangeAt(RegPreviewChange::Kind::AddValue, *node, op.name);
    if (current) {
        change.oldType = current->type;
        change.oldData = std::move(current->bytes);
    }
    if (op.kind == Kind::DeleteValue) {
        if (!current) return true;
        node->values[FoldName(op.name)].reset();
        change.kind = RegPreviewChange::Kind::DeleteValue;
        Report(std::move(change));
        return true;
    }
    node->values[FoldName(op.name)] = Data{op.type, op.data};
    if (current && change.oldType == op.type && change.oldData == op.data) {
        ++totals_.valuesUnchanged;
        return true;
    }
    change.kind = current ? RegPreviewChange::Kind::ChangeValue : RegPreviewChange::Kind::AddValue;
    change.newType = op.type;
    change.newData = op.data;
    Report(std::move(change));
    return true;
}

RegReadResult PreviewRegFile(std::istream& in, RegImportMode mode, RegImportPreview& preview) {
    if (mode == RegImportMode::Replace) {
        std::vector<RegOperation> clearing;
        std::string error;
        if (!ClearingOperations(&clearing, &error)) return {false, error};
        for (const RegOperation& op : clearing) {
            if (!preview.Apply(op, &error)) return {false, error};
        }
    }
    return ReadRegFile(
        in, [&](const RegOperation& op, std::string* reason) { return preview.Apply(op, reason); });
}

}  // namespace brackwell::registry
