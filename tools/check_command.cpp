// check: whether the registry file is a sound registry, read without changing it.

#include <iostream>

#include "registry/device_registry.h"
#include "tools/command.h"
#include "tools/console.h"

namespace brackwell::tools {
namespace {

int Run(const Arguments& arguments) {
    const registry::OpenResult checked = registry::CheckDeviceRegistry();
    if (!checked.ok) return Fail(checked.error);
    std::cout << arguments.registry() << ": OK\n";
    return 0;
}

}  // namespace

const Command kCheckCommand{
    "check",
    "check",
    "Open the registry file for reading only and check it through (every index against its table,\n"
    "every key and value row); print the file's name and OK. A missing or empty file is reported,\n"
    "never created.",
    0,
    0,
    {},
    [](const Arguments&) { return true; },
    Run,
};

}  // namespace brackwell::tools
