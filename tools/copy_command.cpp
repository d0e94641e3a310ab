// copy: the values of one key (and with --recurse every key below it) into another.

#include "registry/apply_operations.h"
#include "registry/name_folding.h"
#include "tools/command.h"
#include "tools/console.h"
#include "tools/registry_reading.h"

namespace brackwell::tools {
namespace {

using registry::RegOperation;

constexpr OptionSpec kOptions[] = {
    {"recurse", "s", "", "copy every key below FROM as well"},
    {"force", "f", "", "replace existing values without asking"},
};

// How many of the values to be set already exist in their target key.
bool CountReplaced(const std::vector<RegOperation>& operations, std::size_t* replaced,
                   std::string* error) {
    *replaced = 0;
    registry::KeyHandle target;
    const std::u16string* openPath = nullptr;
    bool exists = false;
    for (const RegOperation& op : operations) {
        if (op.kind != RegOperation::Kind::SetValue) continue;
        if (!openPath || *openPath != op.path) {
            openPath = &op.path;
            exists = RegOpenKeyEx(op.root, op.path.c_str(), 0, 0, target.out()) == ERROR_SUCCESS;
        }
        if (!exists) continue;
        Value value;
        bool found = false;
        if (!ReadValue(target.get(), KeyNameOf(op.root, op.path), op.name, &value, &found, error))
            return false;
        *replaced += found;
    }
    return true;
}

int Run(const Arguments& arguments) {
    std::string error;
    KeyName from;
    KeyName to;
    if (!ParseKeyName(arguments.positional()[0], &from, &error) ||
        !ParseKeyName(arguments.positional()[1], &to, &error)) {
        return Fail(error);
    }
    if (from.root == to.root && registry::NamesEqual(from.path, to.path)) {
        return Fail(from.text + " and " + to.text + " are the same key");
    }
    // What FROM holds is read whole before anything is written, so copying a
    // key into a key below it copies what was there.
    std::vector<RegOperation> operations;
    const auto copyKey = [&](const KeyName& key, HKEY handle) {
        std::u16string_view below = std::u16string_view(key.path).substr(from.path.size());
        if (below.starts_with(u'\\')) below.remove_prefix(1);
        std::u16string target = to.path;
        if (!target.empty() && !below.empty()) target.push_back(u'\\');
        target.append(below);
        operations.push_back({RegOperation::Kind::CreateKey, to.root, target, {}, REG_NONE, {}, 0});
        std::vector<Value> values;
        if (!ReadValues(handle, key, &values, &error)) return false;
        for (Value& value : values) {
            operations.push_back({RegOperation::Kind::SetValue, to.root, target,
                                  std::move(value.name), value.type, std::move(value.data), 0});
        }
        return true;
    };
    if (arguments.Has("recurse")) {
        if (!WalkKeys(from, copyKey, &error)) return Fail(error);
    } else {
        registry::KeyHandle handle;
        if (!OpenKey(from, &handle, &error) || !copyKey(from, handle.get())) return Fail(error);
    }
    std::size_t replaced = 0;
    if (!CountReplaced(operations, &replaced, &error)) return Fail(error);
    const std::string question = "Replace " + std::to_string(replaced) + " value" +
                                 (replaced == 1 ? "" : "s") + " that " +
                                 (replaced == 1 ? "exists" : "exist") + " in " + to.text +
                                 (arguments.Has("recurse") ? " or below it" : "");
    if (replaced > 0 && !Confirm(question, arguments.Has("force"), &error)) return Fail(error);
    if (!registry::ApplyOperations(operations, &error)) return Fail(to.text + ": " + error);
    return 0;
}

}  // namespace

const Command kCopyCommand{
    "copy",
    "copy FROM TO [--recurse] [--force]",
    "Copy the values of key FROM into key TO, creating TO when it is missing; with --recurse "
    "every\n"
    "key below FROM too, names kept with their case. Asks before replacing values that exist.",
    2,
    2,
    kOptions,
    [](const Arguments&) { return false; },
    Run,
};

}  // namespace brackwell::tools
