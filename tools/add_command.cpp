// add: create a key, and set one of its values.

#include "registry/apply_operations.h"
#include "registry/reg_text_encoding.h"
#include "tools/command.h"
#include "tools/console.h"
#include "tools/registry_reading.h"
#include "tools/value_text.h"

namespace brackwell::tools {
namespace {

using registry::RegOperation;

constexpr OptionSpec kOptions[] = {
    {"value", "v", "NAME", "the value to set"},
    {"default", "ve", "", "set the default value"},
    {"type", "t", "TYPE", "the value's type (REG_SZ when not given)"},
    {"data", "d", "DATA", "the value's data (empty when not given)"},
    {"separator", "s", "C", "what separates the strings of a REG_MULTI_SZ (\\0 when not given)"},
    {"force", "f", "", "replace an existing value without asking"},
};

int Run(const Arguments& arguments) {
    std::string error;
    KeyName key;
    if (!ParseKeyName(arguments.positional()[0], &key, &error)) return Fail(error);
    if (arguments.Has("value") && arguments.Has("default"))
        return Fail("give --value or --default, not both");
    RegOperation op{RegOperation::Kind::CreateKey, key.root, key.path, {}, REG_NONE, {}, 0};
    // Data or a type without a name sets the default value, as the platform's tool does.
    const bool setsValue = arguments.Has("value") || arguments.Has("default") ||
                           arguments.Has("type") || arguments.Has("data");
    if (setsValue) {
        op.kind = RegOperation::Kind::SetValue;
        if (arguments.Has("value")) {
            const auto name = registry::regfile::Utf8ToUtf16(arguments.Value("value"));
            if (!name || name->empty())
                return Fail("--value needs a name in UTF-8 (use --default for the default value)");
            op.name = *name;
        }
        const std::string typeText = arguments.Has("type") ? arguments.Value("type") : "REG_SZ";
        const auto type = ParseType(typeText);
        if (!type) return Fail("unknown type \"" + typeText + "\"; the types are " + TypeNames());
        if (arguments.Has("separator") && *type != REG_MULTI_SZ)
            return Fail("--separator goes with REG_MULTI_SZ");
        op.type = *type;
        if (!ParseData(op.type, arguments.Value("data"), arguments.Value("separator"), &op.data,
                       &error)) {
            return Fail(error);
        }
        registry::KeyHandle handle;
        if (RegOpenKeyEx(key.root, key.path.c_str(), 0, 0, handle.out()) == ERROR_SUCCESS) {
            Value existing;
            bool found = false;
            if (!ReadValue(handle.get(), key, op.name, &existing, &found, &error))
                return Fail(error);
            const std::string question = "Replace the " + ValueLabel(op.name) + " of " + key.text;
            if (found && !Confirm(question, arguments.Has("force"), &error)) return Fail(error);
        }
    } else if (arguments.Has("separator")) {
        return Fail("--separator goes with REG_MULTI_SZ");
    }
    if (!registry::ApplyOperations({op}, &error)) return Fail(key.text + ": " + error);
    return 0;
}

}  // namespace

const Command kAddCommand{
    "add",
    "add KEY [--value NAME | --default] [--type TYPE] [--data DATA] [--separator C] [--force]",
    "Create KEY with any missing keys above it; with a value option, also set that value, asking\n"
    "before replacing one that exists. DATA is text for the string types, a decimal or 0x-hex\n"
    "number for REG_DWORD and REG_QWORD, hex digits for REG_BINARY and the other types.",
    1,
    1,
    kOptions,
    [](const Arguments&) { return false; },
    Run,
};

}  // namespace brackwell::tools
