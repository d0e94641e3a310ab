#pragma once
// Command-line options in the GNU style (--name, --name=VALUE, --name VALUE)
// with the platform tool's slash forms as aliases (/v NAME, /ve, /s, ...; any
// case; also with a dash, -v NAME, as that tool takes them). An argument
// starting with a slash that is no option of the command (a file name such as
// /tmp/saved.reg) stays an argument; "--" ends the options.

#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brackwell::tools {

struct OptionSpec {
    std::string_view name;   // without the dashes
    std::string_view slash;  // the alias without its slash, or empty
    std::string_view value;  // what its value is called in the help, or empty for a flag
    std::string_view help;
};

class Arguments {
public:
    // False, with *error naming the fault, for an option the command does not
    // know, a missing option value or the same option given twice.
    bool Parse(std::span<const OptionSpec> options, std::span<const std::string> arguments,
               std::string* error);

    const std::vector<std::string>& positional() const { return positional_; }
    // The registry file the command works on (--registry, given anywhere).
    const std::string& registry() const { return registry_; }
    void SetRegistry(std::string path) { registry_ = std::move(path); }
    bool Has(std::string_view option) const;
    // The option's value; empty when it was not given.
    const std::string& Value(std::string_view option) const;

private:
    std::vector<std::string> positional_;
    std::string registry_;
    std::map<std::string, std::string, std::less<>> options_;
};

// Whether an argument asks for help: --help, -h or /?.
bool IsHelpArgument(std::string_view argument);

}  // namespace brackwell::tools
