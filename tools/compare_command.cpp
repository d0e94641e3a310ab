// compare: the values (and with --recurse the subkeys) of two keys.

#include <iostream>
#include <map>

#include "registry/name_folding.h"
#include "registry/reg_text_encoding.h"
#include "tools/command.h"
#include "tools/console.h"
#include "tools/registry_reading.h"
#include "tools/value_text.h"

namespace brackwell::tools {
namespace {

constexpr int kIdentical = 0;
constexpr int kDifferent = 2;

constexpr OptionSpec kOptions[] = {
    {"value", "v", "NAME", "compare only the value NAME"},
    {"default", "ve", "", "compare only the default values"},
    {"recurse", "s", "", "compare the keys below as well"},
    {"output-all", "oa", "", "print the values that match too, marked ="},
    {"output-same", "os", "", "print only the values that match"},
    {"output-different", "od", "", "print only the differences (the default)"},
};

class Comparison {
public:
    Comparison(const Arguments& arguments, std::optional<std::u16string> only)
        : only_(std::move(only)),
          showSame_(arguments.Has("output-all") || arguments.Has("output-same")),
          showDifferent_(!arguments.Has("output-same")),
          recurse_(arguments.Has("recurse")) {}

    // Compares a and b and the keys below them; false with *error when a read failed.
    // With a value named, only that value is compared, in every pair of keys.
    bool Run(const KeyName& a, const KeyName& b, std::string* error);
    bool different() const { return different_; }
    std::size_t valuesSeen() const { return valuesSeen_; }

private:
    bool Pair(const KeyName& a, const KeyName& b, std::vector<std::pair<KeyName, KeyName>>* below,
              std::string* error);
    void Line(char mark, const std::string& text) {
        const bool same = mark == '=';
        different_ = different_ || !same;
        if (same ? showSame_ : showDifferent_) std::cout << mark << " " << text << "\n";
    }

    std::optional<std::u16string> only_;
    bool showSame_;
    bool showDifferent_;
    bool recurse_;
    bool different_ = false;
    std::size_t valuesSeen_ = 0;
};

std::string ValueText(const KeyName& key, const Value& value) {
    return "Value: " + key.text + ValueLine(value.name, value.type, value.data);
}

bool Comparison::Pair(const KeyName& a, const KeyName& b,
                      std::vector<std::pair<KeyName, KeyName>>* below, std::string* error) {
    registry::KeyHandle first;
    registry::KeyHandle second;
    std::vector<Value> firstValues;
    std::vector<Value> secondValues;
    if (!OpenKey(a, &first, error) || !OpenKey(b, &second, error) ||
        !ReadValues(first.get(), a, &firstValues, error) ||
        !ReadValues(second.get(), b, &secondValues, error)) {
        return false;
    }
    std::map<std::u16string, const Value*> byName;
    for (const Value& value : secondValues) byName.emplace(registry::FoldName(value.name), &value);
    const auto wanted = [&](const Value& value) {
        return !only_ || registry::NamesEqual(value.name, *only_);
    };
    for (const Value& value : firstValues) {
        if (!wanted(value)) continue;
        ++valuesSeen_;
        const auto match = byName.find(registry::FoldName(value.name));
        if (match == byName.end()) {
            Line('<', ValueText(a, value));
            continue;
        }
        const Value& other = *match->second;
        byName.erase(match);
        if (other.type == value.type && other.data == value.data) {
            Line('=', ValueText(a, value));
        } else {
            Line('<', ValueText(a, value));
            Line('>', ValueText(b, other));
        }
    }
    for (const Value& value : secondValues) {
        if (!wanted(value) || !byName.contains(registry::FoldName(value.name))) continue;
        ++valuesSeen_;
        Line('>', ValueText(b, value));
    }

    std::vector<std::u16string> firstKeys;
    std::vector<std::u16string> secondKeys;
    if (!ReadSubkeys(first.get(), a, &firstKeys, error) ||
        !ReadSubkeys(second.get(), b, &secondKeys, error)) {
        return false;
    }
    std::map<std::u16string, const std::u16string*> keysByName;
    for (const std::u16string& name : secondKeys)
        keysByName.emplace(registry::FoldName(name), &name);
    for (const std::u16string& name : firstKeys) {
        const auto match = keysByName.find(registry::FoldName(name));
        if (match == keysByName.end()) {
            if (!only_) Line('<', "Key: " + SubkeyName(a, name).text);
            continue;
        }
        if (recurse_) below->emplace_back(SubkeyName(a, name), SubkeyName(b, *match->second));
        keysByName.erase(match);
    }
    for (const std::u16string& name : secondKeys) {
        if (!only_ && keysByName.contains(registry::FoldName(name))) {
            Line('>', "Key: " + SubkeyName(b, name).text);
        }
    }
    return true;
}

bool Comparison::Run(const KeyName& a, const KeyName& b, std::string* error) {
    // Pairs still to compare, the next one last; keys below a pair go before its siblings.
    std::vector<std::pair<KeyName, KeyName>> pending{{a, b}};
    while (!pending.empty()) {
        const auto [first, second] = std::move(pending.back());
        pending.pop_back();
        std::vector<std::pair<KeyName, KeyName>> below;
        if (!Pair(first, second, &below, error)) return false;
        pending.insert(pending.end(), std::make_move_iterator(below.rbegin()),
                       std::make_move_iterator(below.rend()));
    }
    return true;
}

int Run(const Arguments& arguments) {
    std::string error;
    KeyName a;
    KeyName b;
    if (!ParseKeyName(arguments.positional()[0], &a, &error) ||
        !ParseKeyName(arguments.positional()[1], &b, &error)) {
        return Fail(error);
    }
    if (arguments.Has("value") && arguments.Has("default"))
        return Fail("give --value or --default, not both");
    if (arguments.Has("output-all") + arguments.Has("output-same") +
            arguments.Has("output-different") >
        1) {
        return Fail("give one of --output-all, --output-same and --output-different");
    }
    std::optional<std::u16string> only;
    if (arguments.Has("value")) {
        only = registry::regfile::Utf8ToUtf16(arguments.Value("value"));
        if (!only || only->empty())
            return Fail("--value needs a name in UTF-8 (use --default for the default value)");
    } else if (arguments.Has("default")) {
        only = std::u16string();
    }
    Comparison comparison(arguments, only);
    if (!comparison.Run(a, b, &error)) return Fail(error);
    if (only && comparison.valuesSeen() == 0) {
        return Fail("no " + ValueLabel(*only) + " in " + a.text + " or " + b.text);
    }
    std::cout << "Result Compared: " << (comparison.different() ? "Different" : "Identical")
              << "\n";
    return comparison.different() ? kDifferent : kIdentical;
}

}  // namespace

const Command kCompareCommand{
    "compare",
    "compare KEY1 KEY2 [--value NAME | --default] [--recurse] [--output-all | --output-same | "
    "--output-different]",
    "Compare the values of two keys and the names of their subkeys; print each difference marked\n"
    "< (KEY1) or > (KEY2), then \"Result Compared: Identical\" or \"Result Compared: Different\".\n"
    "Exit status 0: identical; 2: different; 1: the comparison failed.",
    2,
    2,
    kOptions,
    [](const Arguments&) { return true; },
    Run,
};

}  // namespace brackwell::tools
