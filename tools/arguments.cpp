#include "tools/arguments.h"

#include <algorithm>

namespace brackwell::tools {
namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

const OptionSpec* FindLong(std::span<const OptionSpec> options, std::string_view name) {
    for (const OptionSpec& option : options) {
        if (option.name == name) return &option;
    }
    return nullptr;
}

const OptionSpec* FindSlash(std::span<const OptionSpec> options, std::string_view alias) {
    for (const OptionSpec& option : options) {
        if (!option.slash.empty() && EqualsIgnoringCase(option.slash, alias)) return &option;
    }
    return nullptr;
}

}  // namespace

bool IsHelpArgument(std::string_view argument) {
    return argument == "--help" || argument == "-h" || argument == "/?";
}

bool Arguments::Parse(std::span<const OptionSpec> options, std::span<const std::string> arguments,
                      std::string* error) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const OptionSpec* option = nullptr;
        std::string value;
        bool inlineValue = false;
        if (optionsEnded) {
            // every argument after "--" is positional
        } else if (argument == "--") {
            optionsEnded = true;
            continue;
        } else if (argument.starts_with("--")) {
            const std::size_t equals = argument.find('=');
            option = FindLong(options, std::string_view(argument).substr(2, equals - 2));
            if (!option) {
                *error = "unknown option " + argument.substr(0, equals);
                return false;
            }
            if (equals != std::string::npos) {
                value = argument.substr(equals + 1);
                inlineValue = true;
            }
        } else if (argument.starts_with("/")) {
            option = FindSlash(options, std::string_view(argument).substr(1));
        } else if (argument.starts_with("-") && argument.size() > 1) {
            option = FindSlash(options, std::string_view(argument).substr(1));
            if (!option) {
                *error = "unknown option " + argument;
                return false;
            }
        }
        if (!option) {
            positional_.push_back(argument);
            continue;
        }
        const std::string shown = "--" + std::string(option->name);
        if (options_.contains(option->name)) {
            *error = shown + " is given twice";
            return false;
        }
        if (option->value.empty() && inlineValue) {
            *error = shown + " takes no value";
            return false;
        }
        if (!option->value.empty() && !inlineValue) {
            if (i + 1 == arguments.size()) {
                *error = shown + " needs a value (" + std::string(option->value) + ")";
                return false;
            }
            value = arguments[++i];
        }
        options_.emplace(std::string(option->name), std::move(value));
    }
    return true;
}

bool Arguments::Has(std::string_view option) const {
    return options_.contains(option);
}

const std::string& Arguments::Value(std::string_view option) const {
    static const std::string kNone;
    const auto found = options_.find(option);
    return found == options_.end() ? kNone : found->second;
}

}  // namespace brackwell::tools
