// Any bytes as a .reg file, imported into an empty registry. An import is all
// or nothing: when it fails the registry must still be empty, and when it
// succeeds the registry, read back through the ten calls, must hold exactly
// what the parsed operations describe, applied in order to a model of the
// tree (names compared without regard to case, keeping the case they were
// created with, keys and values in creation order).

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "fuzz/scratch_registry.h"
#include "registry/name_folding.h"
#include "registry/reg_file_reader.h"

namespace {

using namespace brackwell;
using fuzz::KeyItem;
using fuzz::RegistryTree;
using fuzz::ValueItem;
using registry::RegOperation;

RegistryTree EmptyTree() {
    RegistryTree tree;
    for (const char16_t* name :
         {u"HKEY_CLASSES_ROOT", u"HKEY_CURRENT_USER", u"HKEY_LOCAL_MACHINE", u"HKEY_USERS"}) {
        tree.push_back({name, {}, {}});
    }
    return tree;
}

KeyItem& RootOf(RegistryTree& tree, HKEY root) {
    const auto index =
        reinterpret_cast<DWORD_PTR>(root) - reinterpret_cast<DWORD_PTR>(HKEY_CLASSES_ROOT);
    return tree.at(index);
}

template <typename Items>
auto FindNamed(Items& items, std::u16string_view name) {
    return std::find_if(items.begin(), items.end(),
                        [&](const auto& item) { return registry::NamesEqual(item.name, name); });
}

std::vector<std::u16string_view> Split(std::u16string_view path) {
    std::vector<std::u16string_view> names;
    while (!path.empty()) {
        const std::size_t slash = std::min(path.find(u'\\'), path.size());
        names.push_back(path.substr(0, slash));
        path.remove_prefix(std::min(slash + 1, path.size()));
    }
    return names;
}

// The key at path, created with any missing keys above it.
KeyItem& CreatePath(KeyItem& root, std::u16string_view path) {
    KeyItem* key = &root;
    for (std::u16string_view name : Split(path)) {
        auto found = FindNamed(key->subkeys, name);
        key = found != key->subkeys.end()
                  ? &*found
                  : &key->subkeys.emplace_back(KeyItem{std::u16string(name), {}, {}});
    }
    return *key;
}

// The key at path and the list holding it, or null when it does not exist.
KeyItem* Resolve(KeyItem& root, std::u16string_view path, std::vector<KeyItem>** holder) {
    KeyItem* key = &root;
    for (std::u16string_view name : Split(path)) {
        auto found = FindNamed(key->subkeys, name);
        if (found == key->subkeys.end()) return nullptr;
        *holder = &key->subkeys;
        key = &*found;
    }
    return key;
}

void Apply(RegistryTree& tree, const RegOperation& op) {
    KeyItem& root = RootOf(tree, op.root);
    std::vector<KeyItem>* holder = nullptr;
    switch (op.kind) {
        case RegOperation::Kind::CreateKey:
            CreatePath(root, op.path);
            break;
        case RegOperation::Kind::DeleteKey:
            if (KeyItem* key = Resolve(root, op.path, &holder); key && holder) {
                holder->erase(holder->begin() + (key - holder->data()));
            }
            break;
        case RegOperation::Kind::SetValue: {
            KeyItem& key = CreatePath(root, op.path);
            auto found = FindNamed(key.values, op.name);
            if (found == key.values.end()) {
                key.values.push_back({op.name, op.type, op.data});
            } else {
                found->type = op.type;
                found->data = op.data;
            }
            break;
        }
        case RegOperation::Kind::DeleteValue:
            if (KeyItem* key = Resolve(root, op.path, &holder)) {
                if (auto found = FindNamed(key->values, op.name); found != key->values.end()) {
                    key->values.erase(found);
                }
            }
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const registry::RegParseResult parsed = registry::ParseRegFile(bytes);
    // A registry is made afresh only after an import changed it: most inputs
    // are refused, and making one costs more than the rest of the run.
    static bool changed = true;
    if (changed) fuzz::OpenFreshRegistry();
    const registry::RegImportResult imported = registry::ImportRegFile(bytes);
    changed = imported.ok;

    RegistryTree stored;
    if (const LONG rc = fuzz::ReadRegistry(&stored); rc != ERROR_SUCCESS) {
        fuzz::Fail("the registry cannot be read after an import: error " + std::to_string(rc));
    }
    if (!parsed.ok) {
        if (imported.ok || imported.error != parsed.error) {
            fuzz::Fail("import and parse disagree: parse says \"" + parsed.error +
                       "\", import says \"" + (imported.ok ? "OK" : imported.error) + "\"");
        }
    }
    if (!imported.ok) {
        if (stored != EmptyTree())
            fuzz::Fail("a failed import changed the registry: " + imported.error);
        return 0;
    }
    RegistryTree expected = EmptyTree();
    for (const RegOperation& op : parsed.operations) Apply(expected, op);
    if (stored != expected) fuzz::Fail("the registry differs from the parsed operations");
    return 0;
}
