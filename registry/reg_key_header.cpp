#include "registry/reg_key_header.h"

#include <array>

#include "registry/reg_line_scanner.h"
#include "registry/reg_text_encoding.h"

namespace brackwell::registry::regfile {

namespace {

struct RootName {
    std::u16string_view name;
    HKEY root;
};

const std::array<RootName, 8>& RootNames() {
    static const std::array<RootName, 8> names{{
        {u"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
        {u"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
        {u"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
        {u"HKEY_USERS", HKEY_USERS},
        {u"HKCR", HKEY_CLASSES_ROOT},
        {u"HKCU", HKEY_CURRENT_USER},
        {u"HKLM", HKEY_LOCAL_MACHINE},
        {u"HKU", HKEY_USERS},
    }};
    return names;
}

bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char16_t c) {
            return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
        };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

bool ParseRegKeyName(std::u16string_view key, HKEY& root, std::u16string& path,
                     std::string& reason) {
    const std::u16string_view rootName = key.substr(0, key.find(u'\\'));
    if (rootName.empty()) {
        reason = "missing root key name";
        return false;
    }
    root = nullptr;
    for (const RootName& entry : RootNames()) {
        if (EqualsIgnoringAsciiCase(rootName, entry.name)) root = entry.root;
    }
    if (root == nullptr) {
        reason = "unknown root key " + Quote(rootName);
        return false;
    }
    path.clear();
    std::u16string_view rest = key.substr(rootName.size());
    while (!rest.empty()) {
        rest.remove_prefix(1);  // the backslash
        const std::u16string_view name = rest.substr(0, rest.find(u'\\'));
        rest.remove_prefix(name.size());
        if (name.empty()) continue;
        if (!path.empty()) path.push_back(u'\\');
        path.append(name);
    }
    return true;
}

std::string RegRootName(HKEY root) {
    for (const RootName& entry : RootNames()) {
        if (entry.root == root) return Utf16ToUtf8(entry.name);
    }
    return {};
}

bool ParseRegKeyHeader(std::u16string_view line, RegKeyHeader& header, std::string& reason) {
    const std::size_t close = line.rfind(u']');
    if (close == std::u16string_view::npos) {
        reason = "missing \"]\" at the end of the key";
        return false;
    }
    if (!TrimBlanks(line.substr(close + 1)).empty()) {
        reason = "unexpected text " + Quote(TrimBlanks(line.substr(close + 1))) + " after \"]\"";
        return false;
    }
    // The root name follows "[" or "[-" directly: a line such as "[ -HKLM\\A]" is no
    // deletion, and one that deletes data must be exactly a deletion line. Blanks
    // inside the brackets belong to the names ("[HKLM\\Name ]" names "Name ").
    std::u16string_view key = line.substr(1, close - 1);
    header.remove = key.starts_with(u'-');
    if (header.remove) key.remove_prefix(1);
    if (!key.empty() && IsBlank(key.front())) {
        reason = std::string("blank after \"") + (header.remove ? "[-" : "[") +
                 "\": the root key name must follow it directly";
        return false;
    }
    if (!ParseRegKeyName(key, header.root, header.path, reason)) return false;
    if (header.remove && header.path.empty()) {
        reason = "a root key cannot be deleted";
        return false;
    }
    return true;
}

}  // namespace brackwell::registry::regfile
