#pragma once
// Values as the platform's reg tool writes and reads them on a command line:
// type names, data shown per type, and data typed for add.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "registry/registry.h"

namespace brackwell::tools {

// REG_SZ, REG_DWORD, ... for the known types; 0x-hex for any other.
std::string TypeName(DWORD type);
// A type name (any case) or a number; nullopt for anything else.
std::optional<DWORD> ParseType(std::string_view text);
// The list of type names, for messages.
std::string TypeNames();

// The data as query shows it: text up to its first NUL for the string types,
// a multi-string's strings joined by \0, numbers as 0x-hex, anything else as
// upper-case hex digits.
std::string DataText(DWORD type, std::span<const BYTE> data);

// "    name    TYPE    data", the default value named (Default).
std::string ValueLine(std::u16string_view name, DWORD type, std::span<const BYTE> data);
// A value's name for messages: value "Size", or default value.
std::string ValueLabel(std::u16string_view name);

// The bytes add stores for text typed on the command line: text for the
// string types (the strings of a REG_MULTI_SZ separated by separator, "\0" when
// empty), a decimal or 0x-hex number for REG_DWORD, REG_DWORD_BIG_ENDIAN and
// REG_QWORD, hex digits for every other type. False, with *error, when the
// text is not of that form.
bool ParseData(DWORD type, std::string_view text, std::string_view separator,
               std::vector<BYTE>* data, std::string* error);

}  // namespace brackwell::tools
