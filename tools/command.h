#pragma once
// A command of brackwell-reg: its name, what it takes, and what runs it.

#include <span>
#include <string_view>

#include "tools/arguments.h"

namespace brackwell::tools {

struct Command {
    std::string_view name;
    std::string_view synopsis;     // "query KEY [--value NAME | --default] ..."
    std::string_view description;  // what it does, a few lines
    std::size_t minArguments;
    std::size_t maxArguments;
    std::span<const OptionSpec> options;
    // Whether the registry is opened for reading only (it is then never
    // created, and not a byte of it changes).
    bool (*readOnly)(const Arguments& arguments);
    // The exit status: 0 on success, 1 on failure (after one line on stderr).
    int (*run)(const Arguments& arguments);
};

extern const Command kQueryCommand;
extern const Command kAddCommand;
extern const Command kDeleteCommand;
extern const Command kCopyCommand;
extern const Command kCompareCommand;
extern const Command kImportCommand;
extern const Command kExportCommand;
extern const Command kCheckCommand;

}  // namespace brackwell::tools
