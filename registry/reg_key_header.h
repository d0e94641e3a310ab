#pragma once
// A key header line of a .reg file: [ROOT\path] or [-ROOT\path].

#include <string>
#include <string_view>

#include "registry/registry.h"

namespace brackwell::registry::regfile {

struct RegKeyHeader {
    bool remove = false;  // [-ROOT\path]
    HKEY root = nullptr;
    std::u16string path;  // names joined by single backslashes; empty = the root
};

// key is "ROOT\\path" with a long or short root name (HKEY_LOCAL_MACHINE or HKLM, in any
// case). Empty names (doubled or trailing backslashes) are skipped, as the store does.
bool ParseRegKeyName(std::u16string_view key, HKEY& root, std::u16string& path,
                     std::string& reason);

// The long name of one of the four roots, e.g. "HKEY_LOCAL_MACHINE"; empty for anything else.
std::string RegRootName(HKEY root);

// line starts at the "[". The key runs to the last "]", so a key name may hold "]".
bool ParseRegKeyHeader(std::u16string_view line, RegKeyHeader& header, std::string& reason);

}  // namespace brackwell::registry::regfile
