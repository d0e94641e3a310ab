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

// line starts at the "[". The key runs to the last "]", so a key name may hold "]".
bool ParseRegKeyHeader(std::u16string_view line, RegKeyHeader& header, std::string& reason);

}  // namespace brackwell::registry::regfile
