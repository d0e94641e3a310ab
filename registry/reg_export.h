#pragma once
// Exports a key with everything below it, or the whole registry, as a .reg file
// (see reg_file_writer.h), reading through the ten registry calls.

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

#include "registry/reg_file_writer.h"
#include "registry/registry.h"

namespace brackwell::registry {

struct RegExportResult {
    bool ok = false;
    std::string error;  // names the key (and value) at fault when !ok
    std::size_t keys = 0;
    std::size_t values = 0;
};

// Writes root\path and every key below it in tree order (a key, then each
// subkey in enumeration order), values in enumeration order. The path may be
// typed in any case; the file holds the names as the registry keeps them. A
// null root exports the four roots one after the other. On failure the stream
// holds an incomplete file: write to a temporary file and keep it only on success.
RegExportResult ExportRegistry(HKEY root, std::u16string_view path, RegFileFormat format,
                               std::ostream& out);

}  // namespace brackwell::registry
