// brackwell-reg: the registry from the command line, in the vocabulary of the
// platform's reg tool. Exit status 0 on success, 1 on any failure (one line on
// stderr says why), and for compare 0 when the keys are identical and 2 when
// they differ.

#include <algorithm>
#include <array>
#include <iostream>
#include <string>
#include <vector>

#include "registry/default_registry_seed.h"
#include "registry/device_registry.h"
#include "tools/command.h"
#include "tools/console.h"

namespace {

using namespace brackwell;
using tools::Command;

const std::array<const Command*, 8> kCommands = {
    &tools::kQueryCommand,   &tools::kAddCommand,    &tools::kDeleteCommand, &tools::kCopyCommand,
    &tools::kCompareCommand, &tools::kImportCommand, &tools::kExportCommand, &tools::kCheckCommand};

void Usage(std::ostream& out) {
    out << "usage: brackwell-reg [--registry FILE] COMMAND [ARGUMENTS] [OPTIONS]\n\nCommands:\n";
    for (const Command* command : kCommands) out << "  " << command->synopsis << "\n";
    out << "\nKEY is a root key and a path below it, such as HKLM\\Software\\Example "
           "(HKEY_CLASSES_ROOT,\n"
           "HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS or HKCR, HKCU, HKLM, HKU).\n"
           "\"brackwell-reg COMMAND --help\" shows a command's options and their slash forms.\n"
           "The registry file is "
        << registry::DefaultRegistryPath() << " unless --registry names another.\n";
}

void CommandHelp(const Command& command) {
    std::cout << "usage: brackwell-reg [--registry FILE] " << command.synopsis << "\n\n"
              << command.description << "\n\nOptions:\n";
    const auto row = [](const std::string& left, std::string_view help) {
        std::cout << "  " << left << std::string(left.size() < 28 ? 28 - left.size() : 1, ' ')
                  << help << "\n";
    };
    for (const tools::OptionSpec& option : command.options) {
        const std::string value = option.value.empty() ? "" : " " + std::string(option.value);
        std::string left = "--" + std::string(option.name) + value;
        if (!option.slash.empty()) left += ", /" + std::string(option.slash) + value;
        row(left, option.help);
    }
    row("--registry FILE", "the registry file to work on");
    row("--help, /?", "show this help");
}

// Takes --registry FILE (or --registry=FILE) out of the arguments, wherever it stands.
bool TakeRegistry(std::vector<std::string>& args, std::string* registry) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--") break;
        if (args[i].starts_with("--registry=")) {
            *registry = args[i].substr(11);
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
            return true;
        }
        if (args[i] != "--registry") continue;
        if (i + 1 == args.size()) return false;
        *registry = args[i + 1];
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                   args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        return true;
    }
    return true;
}

const Command* FindCommand(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; });
    for (const Command* command : kCommands) {
        if (command->name == name) return command;
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string registry;
    if (!TakeRegistry(args, &registry)) return tools::Fail("--registry needs a value (FILE)");
    if (args.empty()) {
        Usage(std::cerr);
        return 1;
    }
    if (tools::IsHelpArgument(args[0]) || args[0] == "help") {
        Usage(std::cout);
        return 0;
    }
    const Command* command = FindCommand(args[0]);
    if (!command)
        return tools::Fail("unknown command \"" + args[0] + "\"; see brackwell-reg --help");
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (std::any_of(rest.begin(), rest.end(), tools::IsHelpArgument)) {
        CommandHelp(*command);
        return 0;
    }
    tools::Arguments arguments;
    std::string error;
    const std::string hint = "; see brackwell-reg " + std::string(command->name) + " --help";
    if (!arguments.Parse(command->options, rest, &error)) return tools::Fail(error + hint);
    const std::size_t count = arguments.positional().size();
    if (count < command->minArguments || count > command->maxArguments) {
        return tools::Fail(std::string(command->name) + " takes " +
                           std::string(command->synopsis.substr(
                               command->name.size() + 1,
                               command->synopsis.find(" [") - command->name.size() - 1)) +
                           hint);
    }
    arguments.SetRegistry(registry.empty() ? registry::DefaultRegistryPath() : registry);

    registry::OpenResult opened;
    if (command->readOnly(arguments)) {
        opened = registry::OpenDeviceRegistryReadOnly(arguments.registry());
    } else {
        const registry::RegistrySeed seed = registry::ReadDefaultRegistrySeed();
        if (!seed.ok) return tools::Fail(seed.error);
        opened = registry::OpenDeviceRegistry(arguments.registry(), seed.text);
    }
    if (!opened.ok) return tools::Fail(opened.error);
    const int status = command->run(arguments);
    registry::CloseDeviceRegistry();
    return status;
}
