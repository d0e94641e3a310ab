#pragma once
// Reading the registry through the ten calls as every command does: key names
// typed on the command line, and enumerations that size their buffers from
// RegQueryInfoKey and check every call, so a failed call is an error, never
// the end of a list.

#include <functional>
#include <string>
#include <vector>

#include "registry/key_handle.h"
#include "registry/registry.h"

namespace brackwell::tools {

struct KeyName {
    HKEY root = nullptr;
    std::u16string path;  // below the root; empty for the root itself
    std::string text;     // the full name with the root's long name, for output
};

// "HKLM\Software\X" (long or short root names, any case) into a KeyName.
bool ParseKeyName(const std::string& text, KeyName* key, std::string* error);
// The name of root\path.
KeyName KeyNameOf(HKEY root, std::u16string_view path);
// The name of a key below key.
KeyName SubkeyName(const KeyName& key, std::u16string_view subkey);

struct Value {
    std::u16string name;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

// Opens key; on failure *error names the key (and says it does not exist).
bool OpenKey(const KeyName& key, registry::KeyHandle* handle, std::string* error);
bool ReadValues(HKEY key, const KeyName& name, std::vector<Value>* values, std::string* error);
bool ReadSubkeys(HKEY key, const KeyName& name, std::vector<std::u16string>* subkeys,
                 std::string* error);
// The value called name, or false with *found false when there is none.
bool ReadValue(HKEY key, const KeyName& keyName, std::u16string_view name, Value* value,
               bool* found, std::string* error);

// Calls visit for key and then, in enumeration order, every key below it
// (depth first, each key before its subkeys); visit returns false to stop with
// *error set. The walk keeps one open key per level, not one call stack frame.
bool WalkKeys(const KeyName& key, const std::function<bool(const KeyName&, HKEY)>& visit,
              std::string* error);

// For messages: "HKEY_...\X: " followed by the registry's words for rc.
std::string CallFailure(const KeyName& key, const std::string& what, LONG rc);

}  // namespace brackwell::tools
