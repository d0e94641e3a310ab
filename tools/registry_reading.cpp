#include "tools/registry_reading.h"

#include <algorithm>

#include "registry/reg_key_header.h"
#include "registry/reg_text_encoding.h"
#include "registry/registry_error_text.h"
#include "tools/value_text.h"

namespace brackwell::tools {
namespace {

using registry::KeyHandle;
using registry::regfile::Utf16ToUtf8;

// The longest names and data the key holds, for buffers that fit every entry.
struct Sizes {
    DWORD subkeyName = 0;
    DWORD valueName = 0;
    DWORD data = 0;
};

LONG QuerySizes(HKEY key, Sizes* sizes) {
    return RegQueryInfoKey(key, nullptr, nullptr, nullptr, nullptr, &sizes->subkeyName, nullptr,
                           nullptr, &sizes->valueName, &sizes->data, nullptr, nullptr);
}

// Runs one enumeration call per index until ERROR_NO_MORE_ITEMS. A call that
// finds its buffers too small (another program wrote meanwhile) is repeated
// once with buffers sized again; any other failure ends with an error.
bool Enumerate(HKEY key, const KeyName& name, const char* what,
               const std::function<LONG(DWORD index, const Sizes& sizes)>& call,
               std::string* error) {
    Sizes sizes;
    LONG rc = QuerySizes(key, &sizes);
    bool retried = false;
    for (DWORD index = 0; rc == ERROR_SUCCESS;) {
        rc = call(index, sizes);
        if (rc == ERROR_NO_MORE_ITEMS) return true;
        if (rc == ERROR_MORE_DATA && !retried) {
            retried = true;
            rc = QuerySizes(key, &sizes);
            continue;
        }
        retried = false;
        ++index;
    }
    *error = CallFailure(name, what, rc);
    return false;
}

}  // namespace

bool ParseKeyName(const std::string& text, KeyName* key, std::string* error) {
    const auto wide = registry::regfile::Utf8ToUtf16(text);
    if (!wide) {
        *error = "the key name is not valid UTF-8";
        return false;
    }
    if (!registry::regfile::ParseRegKeyName(*wide, key->root, key->path, *error)) {
        *error = "\"" + text + "\" is no key: " + *error;
        return false;
    }
    *key = KeyNameOf(key->root, key->path);
    return true;
}

KeyName KeyNameOf(HKEY root, std::u16string_view path) {
    KeyName key{root, std::u16string(path), registry::regfile::RegRootName(root)};
    if (!path.empty()) key.text += "\\" + Utf16ToUtf8(path);
    return key;
}

KeyName SubkeyName(const KeyName& key, std::u16string_view subkey) {
    KeyName child{key.root, key.path, key.text + "\\" + Utf16ToUtf8(subkey)};
    if (!child.path.empty()) child.path.push_back(u'\\');
    child.path.append(subkey);
    return child;
}

std::string CallFailure(const KeyName& key, const std::string& what, LONG rc) {
    if (rc == ERROR_FILE_NOT_FOUND && what.empty()) return "no key " + key.text;
    return key.text + ": " + (what.empty() ? "" : what + ": ") + registry::RegistryErrorText(rc);
}

bool OpenKey(const KeyName& key, KeyHandle* handle, std::string* error) {
    const LONG rc = RegOpenKeyEx(key.root, key.path.c_str(), 0, 0, handle->out());
    if (rc == ERROR_SUCCESS) return true;
    *error = CallFailure(key, "", rc);
    return false;
}

bool ReadValues(HKEY key, const KeyName& name, std::vector<Value>* values, std::string* error) {
    values->clear();
    std::vector<WCHAR> buffer;
    std::vector<BYTE> data;
    return Enumerate(
        key, name, "reading its values",
        [&](DWORD index, const Sizes& sizes) {
            buffer.resize(sizes.valueName + 1);
            data.resize(std::max<DWORD>(sizes.data, 1));
            auto length = static_cast<DWORD>(buffer.size());
            auto size = static_cast<DWORD>(data.size());
            DWORD type = REG_NONE;
            const LONG rc = RegEnumValue(key, index, buffer.data(), &length, nullptr, &type,
                                         data.data(), &size);
            if (rc == ERROR_SUCCESS) {
                values->push_back(
                    {{buffer.data(), length}, type, {data.begin(), data.begin() + size}});
            }
            return rc;
        },
        error);
}

bool ReadSubkeys(HKEY key, const KeyName& name, std::vector<std::u16string>* subkeys,
                 std::string* error) {
    subkeys->clear();
    std::vector<WCHAR> buffer;
    return Enumerate(
        key, name, "listing its subkeys",
        [&](DWORD index, const Sizes& sizes) {
            buffer.resize(sizes.subkeyName + 1);
            auto length = static_cast<DWORD>(buffer.size());
            const LONG rc = RegEnumKeyEx(key, index, buffer.data(), &length, nullptr, nullptr,
                                         nullptr, nullptr);
            if (rc == ERROR_SUCCESS) subkeys->emplace_back(buffer.data(), length);
            return rc;
        },
        error);
}

bool ReadValue(HKEY key, const KeyName& keyName, std::u16string_view name, Value* value,
               bool* found, std::string* error) {
    const std::u16string text(name);
    *found = false;
    for (int attempt = 0; attempt < 2; ++attempt) {
        DWORD size = 0;
        LONG rc = RegQueryValueEx(key, text.c_str(), nullptr, &value->type, nullptr, &size);
        if (rc == ERROR_FILE_NOT_FOUND) return true;
        if (rc == ERROR_SUCCESS) {
            value->data.resize(std::max<DWORD>(size, 1));
            rc = RegQueryValueEx(key, text.c_str(), nullptr, &value->type, value->data.data(),
                                 &size);
        }
        if (rc == ERROR_MORE_DATA) continue;  // it grew between the two calls
        if (rc == ERROR_FILE_NOT_FOUND) return true;
        if (rc != ERROR_SUCCESS) {
            *error = CallFailure(keyName, "reading its " + ValueLabel(name), rc);
            return false;
        }
        value->name = text;
        value->data.resize(size);
        *found = true;
        return true;
    }
    *error = CallFailure(keyName, "reading a value that keeps growing", ERROR_MORE_DATA);
    return false;
}

bool WalkKeys(const KeyName& key, const std::function<bool(const KeyName&, HKEY)>& visit,
              std::string* error) {
    struct Level {
        KeyHandle handle;
        KeyName name;
        std::vector<std::u16string> subkeys;
        std::size_t next = 0;
    };
    std::vector<Level> levels;
    Level first{{}, key, {}, 0};
    if (!OpenKey(key, &first.handle, error) || !visit(key, first.handle.get()) ||
        !ReadSubkeys(first.handle.get(), key, &first.subkeys, error)) {
        return false;
    }
    levels.push_back(std::move(first));
    while (!levels.empty()) {
        Level& top = levels.back();
        if (top.next == top.subkeys.size()) {
            levels.pop_back();
            continue;
        }
        const std::u16string& subkey = top.subkeys[top.next++];
        Level child{{}, SubkeyName(top.name, subkey), {}, 0};
        const LONG rc = RegOpenKeyEx(top.handle.get(), subkey.c_str(), 0, 0, child.handle.out());
        if (rc != ERROR_SUCCESS) {
            *error = CallFailure(child.name, "opening it", rc);
            return false;
        }
        if (!visit(child.name, child.handle.get()) ||
            !ReadSubkeys(child.handle.get(), child.name, &child.subkeys, error)) {
            return false;
        }
        levels.push_back(std::move(child));
    }
    return true;
}

}  // namespace brackwell::tools
