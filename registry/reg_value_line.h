#pragma once
// A value line of a .reg file: "name"=data or @=data, where data is "text", -, dword:,
// hex: or hex(N):, hex data possibly continued over several lines ending in ",\".

#include <string>
#include <vector>

#include "registry/reg_line_cursor.h"
#include "registry/reg_line_scanner.h"
#include "registry/registry.h"

namespace brackwell::registry::regfile {

struct RegValueLine {
    std::u16string name;  // empty = the default value
    bool remove = false;  // "name"=-
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

// scanner stands at the '"' or '@' of the cursor's current line. Continued hex data
// moves the cursor to the last line it reads, so on failure the cursor names the
// line at fault. regedit4 selects how hex string data is read (single-byte text
// rather than UTF-16LE).
bool ParseRegValueLine(RegLineScanner& scanner, RegLineCursor& cursor, bool regedit4,
                       RegValueLine& value, std::string& reason);

}  // namespace brackwell::registry::regfile
