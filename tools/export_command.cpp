// export: a key with everything below it, or the whole registry, to a .reg file.

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "registry/reg_export.h"
#include "tools/command.h"
#include "tools/console.h"
#include "tools/registry_reading.h"

namespace brackwell::tools {
namespace {

constexpr OptionSpec kOptions[] = {
    {"all", "", "", "export the whole registry (give only FILE)"},
    {"regedit4", "", "", "write a REGEDIT4 file in UTF-8 instead of version 5 in UTF-16"},
    {"force", "y", "", "replace an existing FILE without asking"},
};

// Makes the new file durable and puts it in place of path in one step, so path
// holds either its old content or the whole export, never part of it.
bool Commit(const std::string& temporary, const std::string& path, std::string* error) {
    const int fd = open(temporary.c_str(), O_RDONLY | O_CLOEXEC);
    const bool synced = fd >= 0 && fsync(fd) == 0;
    if (fd >= 0) close(fd);
    if (!synced || std::rename(temporary.c_str(), path.c_str()) != 0) {
        *error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    const std::string folder = std::filesystem::path(path).parent_path().string();
    const int dir = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return true;
}

int Run(const Arguments& arguments) {
    const bool all = arguments.Has("all");
    const auto& positional = arguments.positional();
    if (positional.size() != (all ? 1u : 2u)) {
        return Fail(all ? "export --all takes only FILE"
                        : "export takes KEY and FILE (or --all and FILE)");
    }
    std::string error;
    KeyName key;
    if (!all && !ParseKeyName(positional[0], &key, &error)) return Fail(error);
    const std::string& file = positional.back();
    const auto format = arguments.Has("regedit4") ? registry::RegFileFormat::Regedit4
                                                  : registry::RegFileFormat::Version5;
    if (file == "-") {
        const registry::RegExportResult result =
            ExportRegistry(key.root, key.path, format, std::cout);
        return result.ok ? 0 : Fail(result.error);
    }
    std::error_code ignored;
    if (std::filesystem::exists(file, ignored) &&
        !Confirm("Replace the file " + file, arguments.Has("force"), &error)) {
        return Fail(error);
    }
    std::string temporary = file + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) return Fail("cannot write " + file + ": " + std::strerror(errno));
    close(fd);
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    const registry::RegExportResult result = ExportRegistry(key.root, key.path, format, out);
    out.close();
    if (!result.ok || !out) error = result.ok ? "cannot write " + file : result.error;
    if (error.empty() && Commit(temporary, file, &error)) return 0;
    std::filesystem::remove(temporary, ignored);
    return Fail(error + "; " + file + " was left as it was");
}

}  // namespace

const Command kExportCommand{
    "export",
    "export KEY FILE [--regedit4] [--force]\n       export --all FILE [--regedit4] [--force]",
    "Write KEY with everything below it (or with --all the whole registry) to the .reg file FILE\n"
    "(- for standard output), in the layout the platform's registry editor writes: version 5,\n"
    "UTF-16LE with a byte-order mark, CRLF line ends. Importing it into an empty registry gives\n"
    "back every key and value, byte for byte. With --regedit4 the file is UTF-8: names and text\n"
    "outside ASCII are written as UTF-8, and strings the text form would not give back exactly\n"
    "as hex(N): bytes of their UTF-8 text; a string whose bytes are not UTF-16 text cannot be\n"
    "written that way and makes the export fail (export it as version 5).",
    1,
    2,
    kOptions,
    [](const Arguments&) { return true; },
    Run,
};

}  // namespace brackwell::tools
