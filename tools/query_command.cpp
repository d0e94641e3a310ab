// query: a key's values and subkeys, everything below it, one value, or a search.

#include <iostream>
#include <set>

#include "registry/name_folding.h"
#include "registry/reg_text_encoding.h"
#include "tools/command.h"
#include "tools/console.h"
#include "tools/registry_reading.h"
#include "tools/value_text.h"

namespace brackwell::tools {
namespace {

using registry::KeyHandle;
using registry::regfile::Utf8ToUtf16;

constexpr OptionSpec kOptions[] = {
    {"value", "v", "NAME", "show only the value NAME"},
    {"default", "ve", "", "show only the default value"},
    {"recurse", "s", "", "every key below KEY as well"},
    {"find", "f", "TEXT", "show only keys and values whose names or data hold TEXT"},
    {"keys", "k", "", "with --find: search key names"},
    {"values", "", "", "with --find: search value names"},
    {"data", "d", "", "with --find: search data (as shown)"},
    {"case-sensitive", "c", "", "with --find: tell upper and lower case apart"},
    {"exact", "e", "", "with --find: match whole names or data only"},
    {"type", "t", "TYPE[,TYPE...]", "show only values of these types"},
};

// What a search looks for and where.
struct Search {
    std::u16string text;
    bool keys = true;
    bool values = true;
    bool data = true;
    bool caseSensitive = false;
    bool exact = false;

    bool Matches(std::u16string_view candidate) const {
        if (caseSensitive)
            return exact ? candidate == text : candidate.find(text) != std::u16string_view::npos;
        const std::u16string folded = registry::FoldName(candidate);
        const std::u16string wanted = registry::FoldName(text);
        return exact ? folded == wanted : folded.find(wanted) != std::u16string::npos;
    }
};

class Query {
public:
    explicit Query(const Arguments& arguments) : arguments_(arguments) {}
    int Run();

private:
    bool Prepare(std::string* error);
    bool Shown(const Value& value) const { return types_.empty() || types_.contains(value.type); }
    bool ListKey(const KeyName& key, HKEY handle, bool withSubkeys, std::string* error);
    bool FindIn(const KeyName& key, HKEY handle, bool isStart, std::string* error);
    bool NamedValueIn(const KeyName& key, HKEY handle, std::string* error);

    // The output opens with a blank line, as the platform's tool's does, once
    // there is something to show.
    void Begin() {
        if (!begun_) std::cout << "\n";
        begun_ = true;
    }

    void EndOfSearch() {
        Begin();
        std::cout << "End of search: " << matches_ << " match(es) found.\n";
    }

    const Arguments& arguments_;
    bool begun_ = false;
    KeyName key_;
    std::set<DWORD> types_;
    std::optional<Search> search_;
    std::optional<std::u16string> valueName_;
    std::size_t matches_ = 0;
};

bool Query::Prepare(std::string* error) {
    if (!ParseKeyName(arguments_.positional()[0], &key_, error)) return false;
    if (arguments_.Has("value") && arguments_.Has("default")) {
        *error = "give --value or --default, not both";
        return false;
    }
    if (arguments_.Has("value")) {
        valueName_ = Utf8ToUtf16(arguments_.Value("value"));
        if (!valueName_ || valueName_->empty()) {
            *error = "--value needs a name in UTF-8 (use --default for the default value)";
            return false;
        }
    } else if (arguments_.Has("default")) {
        valueName_ = std::u16string();
    }
    if (arguments_.Has("type")) {
        const std::string& list = arguments_.Value("type");
        for (std::size_t start = 0; start <= list.size();) {
            std::size_t end = list.find(',', start);
            if (end == std::string::npos) end = list.size();
            const auto type = ParseType(list.substr(start, end - start));
            if (!type) {
                *error = "unknown type \"" + list.substr(start, end - start) +
                         "\"; the types are " + TypeNames();
                return false;
            }
            types_.insert(*type);
            start = end + 1;
        }
    }
    for (const char* option : {"keys", "values", "data", "case-sensitive", "exact"}) {
        if (arguments_.Has(option) && !arguments_.Has("find")) {
            *error = "--" + std::string(option) + " goes with --find";
            return false;
        }
    }
    if (arguments_.Has("find")) {
        if (valueName_) {
            *error = "give --find or a value to show, not both";
            return false;
        }
        const auto text = Utf8ToUtf16(arguments_.Value("find"));
        if (!text) {
            *error = "the text to find is not valid UTF-8";
            return false;
        }
        Search search{*text};
        // Without a choice, names and data are all searched.
        if (arguments_.Has("keys") || arguments_.Has("values") || arguments_.Has("data")) {
            search.keys = arguments_.Has("keys");
            search.values = arguments_.Has("values");
            search.data = arguments_.Has("data");
        }
        search.caseSensitive = arguments_.Has("case-sensitive");
        search.exact = arguments_.Has("exact");
        search_ = search;
    }
    return true;
}

bool Query::ListKey(const KeyName& key, HKEY handle, bool withSubkeys, std::string* error) {
    std::vector<Value> values;
    if (!ReadValues(handle, key, &values, error)) return false;
    Begin();
    std::cout << key.text << "\n";
    for (const Value& value : values) {
        if (Shown(value)) std::cout << ValueLine(value.name, value.type, value.data) << "\n";
    }
    std::cout << "\n";
    if (!withSubkeys) return true;
    std::vector<std::u16string> subkeys;
    if (!ReadSubkeys(handle, key, &subkeys, error)) return false;
    for (const std::u16string& subkey : subkeys) std::cout << SubkeyName(key, subkey).text << "\n";
    return true;
}

bool Query::FindIn(const KeyName& key, HKEY handle, bool isStart, std::string* error) {
    std::vector<Value> values;
    if (!ReadValues(handle, key, &values, error)) return false;
    const std::size_t lastComponent = key.path.rfind(u'\\');
    const std::u16string_view name = lastComponent == std::u16string::npos
                                         ? key.path
                                         : std::u16string_view(key.path).substr(lastComponent + 1);
    const bool keyMatches = !isStart && search_->keys && search_->Matches(name);
    std::vector<const Value*> found;
    for (const Value& value : values) {
        if (!Shown(value)) continue;
        const bool byName = search_->values && search_->Matches(value.name);
        const bool byData =
            search_->data && search_->Matches(*Utf8ToUtf16(DataText(value.type, value.data)));
        if (byName || byData) found.push_back(&value);
    }
    matches_ += found.size() + (keyMatches ? 1 : 0);
    if (!keyMatches && found.empty()) return true;
    Begin();
    std::cout << key.text << "\n";
    for (const Value* value : found)
        std::cout << ValueLine(value->name, value->type, value->data) << "\n";
    std::cout << "\n";
    return true;
}

bool Query::NamedValueIn(const KeyName& key, HKEY handle, std::string* error) {
    // Listed rather than asked for by name, to show the name as the registry keeps it.
    std::vector<Value> values;
    if (!ReadValues(handle, key, &values, error)) return false;
    for (const Value& value : values) {
        if (!registry::NamesEqual(value.name, *valueName_) || !Shown(value)) continue;
        ++matches_;
        Begin();
        std::cout << key.text << "\n" << ValueLine(value.name, value.type, value.data) << "\n\n";
    }
    return true;
}

int Query::Run() {
    std::string error;
    if (!Prepare(&error)) return Fail(error);
    const bool recurse = arguments_.Has("recurse");
    bool ok = true;
    if (search_ && recurse) {
        ok = WalkKeys(
            key_,
            [&](const KeyName& key, HKEY handle) {
                return FindIn(key, handle, key.path == key_.path, &error);
            },
            &error);
        if (ok) EndOfSearch();
    } else if (search_) {
        // Without --recurse the search covers the key's values and its subkeys' names.
        KeyHandle handle;
        std::vector<std::u16string> subkeys;
        ok = OpenKey(key_, &handle, &error) && FindIn(key_, handle.get(), true, &error) &&
             ReadSubkeys(handle.get(), key_, &subkeys, &error);
        for (const std::u16string& subkey : subkeys) {
            if (!search_->keys || !search_->Matches(subkey)) continue;
            ++matches_;
            Begin();
            std::cout << SubkeyName(key_, subkey).text << "\n\n";
        }
        if (ok) EndOfSearch();
    } else if (valueName_) {
        if (recurse) {
            ok = WalkKeys(
                key_,
                [&](const KeyName& key, HKEY handle) { return NamedValueIn(key, handle, &error); },
                &error);
            if (ok && matches_ == 0)
                return Fail("no " + ValueLabel(*valueName_) + " in " + key_.text + " or below it");
            if (ok) EndOfSearch();
        } else {
            KeyHandle handle;
            ok = OpenKey(key_, &handle, &error) && NamedValueIn(key_, handle.get(), &error);
            if (ok && matches_ == 0)
                return Fail("no " + ValueLabel(*valueName_) + " in " + key_.text);
        }
    } else if (recurse) {
        ok = WalkKeys(
            key_,
            [&](const KeyName& key, HKEY handle) { return ListKey(key, handle, false, &error); },
            &error);
    } else {
        KeyHandle handle;
        ok = OpenKey(key_, &handle, &error) && ListKey(key_, handle.get(), true, &error);
    }
    return ok ? 0 : Fail(error);
}

}  // namespace

const Command kQueryCommand{
    "query",
    "query KEY [--value NAME | --default] [--recurse] [--find TEXT [--keys] [--values] [--data] "
    "[--case-sensitive] [--exact]] [--type TYPE]",
    "Show KEY's line, its values (four blanks, name, type and data apart by four blanks) and its\n"
    "subkeys; with --recurse every key below it with its values. --find searches names and data\n"
    "(the key's own, and with --recurse everything below it) and ends with the number of matches.",
    1,
    1,
    kOptions,
    [](const Arguments&) { return true; },
    [](const Arguments& arguments) { return Query(arguments).Run(); },
};

}  // namespace brackwell::tools
