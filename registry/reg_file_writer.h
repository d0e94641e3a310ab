#pragma once
// Writes .reg text in the layout the platform's registry editor exports: the
// header line and a blank line, then every key as its [path] line, its values
// and a blank line; CRLF line ends; hex data wrapped at 80 columns.
// Version 5 files are UTF-16LE with a byte-order mark, REGEDIT4 files UTF-8.
// Whatever text would not read back as the same bytes is written as hex(N):,
// so a file read back gives every name, type and byte again.

#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "registry/registry.h"

namespace brackwell::registry {

enum class RegFileFormat { Version5, Regedit4 };

class RegFileWriter {
public:
    RegFileWriter(std::ostream& out, RegFileFormat format);

    // keyLine is the full path, ROOT\names, without brackets. False (with
    // *error) when a name cannot be written; nothing of that key is written then.
    bool BeginKey(std::u16string_view keyLine, std::string* error);
    bool Value(std::u16string_view name, DWORD type, std::span<const BYTE> data,
               std::string* error);
    // Ends the last key and flushes; false when the stream failed.
    bool Finish();

private:
    void Flush();

    std::ostream& out_;
    RegFileFormat format_;
    std::u16string text_;  // not yet encoded and written
};

// Why name cannot stand in a .reg file (a line break or NUL, or for REGEDIT4 a
// lone surrogate, which UTF-8 cannot carry), or an empty string.
std::string UnwritableName(std::u16string_view name, RegFileFormat format);

}  // namespace brackwell::registry
