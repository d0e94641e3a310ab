// delete: a key with everything below it, one value, or every value of a key.

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
    {"value", "v", "NAME", "delete only the value NAME"},
    {"default", "ve", "", "delete only the default value"},
    {"all-values", "va", "", "delete every value of KEY and keep its subkeys"},
    {"force", "f", "", "delete without asking"},
};

int Run(const Arguments& arguments) {
    std::string error;
    KeyName key;
    if (!ParseKeyName(arguments.positional()[0], &key, &error)) return Fail(error);
    const int choices =
        arguments.Has("value") + arguments.Has("default") + arguments.Has("all-values");
    if (choices > 1) return Fail("give one of --value, --default and --all-values");
    registry::KeyHandle handle;
    if (!OpenKey(key, &handle, &error)) return Fail(error);

    std::vector<RegOperation> operations;
    std::string question;
    if (choices == 0) {
        if (key.path.empty()) return Fail(key.text + " is a root key, which cannot be deleted");
        operations.push_back(
            {RegOperation::Kind::DeleteKey, key.root, key.path, {}, REG_NONE, {}, 0});
        question = "Permanently delete the key " + key.text + " and everything below it";
    } else if (arguments.Has("all-values")) {
        std::vector<Value> values;
        if (!ReadValues(handle.get(), key, &values, &error)) return Fail(error);
        for (const Value& value : values) {
            operations.push_back(
                {RegOperation::Kind::DeleteValue, key.root, key.path, value.name, REG_NONE, {}, 0});
        }
        question = "Delete all " + std::to_string(values.size()) + " values of " + key.text;
    } else {
        std::u16string name;
        if (arguments.Has("value")) {
            const auto wide = registry::regfile::Utf8ToUtf16(arguments.Value("value"));
            if (!wide || wide->empty())
                return Fail("--value needs a name in UTF-8 (use --default for the default value)");
            name = *wide;
        }
        Value value;
        bool found = false;
        if (!ReadValue(handle.get(), key, name, &value, &found, &error)) return Fail(error);
        if (!found) return Fail("no " + ValueLabel(name) + " in " + key.text);
        operations.push_back(
            {RegOperation::Kind::DeleteValue, key.root, key.path, name, REG_NONE, {}, 0});
        question = "Delete the " + ValueLabel(name) + " of " + key.text;
    }
    if (!Confirm(question, arguments.Has("force"), &error)) return Fail(error);
    if (!registry::ApplyOperations(operations, &error)) return Fail(key.text + ": " + error);
    return 0;
}

}  // namespace

const Command kDeleteCommand{
    "delete",
    "delete KEY [--value NAME | --default | --all-values] [--force]",
    "Delete KEY with every key and value below it, or only the values named. Asks first unless\n"
    "--force is given.",
    1,
    1,
    kOptions,
    [](const Arguments&) { return false; },
    Run,
};

}  // namespace brackwell::tools
