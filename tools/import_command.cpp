// import: apply a .reg file all or nothing, or show what it would change.

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>

#include "registry/reg_file_reader.h"
#include "registry/reg_import_preview.h"
#include "registry/reg_key_header.h"
#include "registry/reg_text_encoding.h"
#include "tools/command.h"
#include "tools/console.h"
#include "tools/value_text.h"

namespace brackwell::tools {
namespace {

using registry::RegPreviewChange;

constexpr OptionSpec kOptions[] = {
    {"dry-run", "", "", "print what the import would change, and write nothing"},
    {"replace", "", "",
     "empty the registry first, so it holds exactly what FILE holds (a restore)"},
    {"force", "f", "", "with --replace: do not ask first"},
};

std::string KeyText(const RegPreviewChange& change) {
    std::string text = registry::regfile::RegRootName(change.root);
    if (!change.path.empty()) text += "\\" + registry::regfile::Utf16ToUtf8(change.path);
    return text;
}

std::string Count(std::size_t n, const char* thing) {
    return std::to_string(n) + " " + thing + (n == 1 ? "" : "s");
}

void PrintChange(const RegPreviewChange& change) {
    using Kind = RegPreviewChange::Kind;
    switch (change.kind) {
        case Kind::CreateKey:
            std::cout << "create key    " << KeyText(change) << "\n";
            break;
        case Kind::DeleteKey:
            std::cout << "delete key    " << KeyText(change) << "    ("
                      << Count(change.keysBelow, "key") << " below it, "
                      << Count(change.valuesBelow, "value") << " in it and below)\n";
            break;
        case Kind::AddValue:
            std::cout << "add value     " << KeyText(change)
                      << ValueLine(change.name, change.newType, change.newData) << "\n";
            break;
        case Kind::ChangeValue:
            std::cout << "change value  " << KeyText(change)
                      << ValueLine(change.name, change.oldType, change.oldData) << " ->    "
                      << TypeName(change.newType) << "    "
                      << DataText(change.newType, change.newData) << "\n";
            break;
        case Kind::DeleteValue:
            std::cout << "delete value  " << KeyText(change)
                      << ValueLine(change.name, change.oldType, change.oldData) << "\n";
            break;
    }
}

int DryRun(const std::string& file, std::istream& in, registry::RegImportMode mode) {
    registry::RegImportPreview preview(PrintChange);
    const registry::RegReadResult read = registry::PreviewRegFile(in, mode, preview);
    if (!read.ok) return Fail(file + ": " + read.error);
    const registry::RegPreviewTotals& totals = preview.totals();
    std::cout << "Importing " << file << " would create " << Count(totals.keysCreated, "key")
              << ", delete " << Count(totals.keysDeleted, "key") << " ("
              << Count(totals.keysBelowDeleted, "key") << " below, "
              << Count(totals.valuesBelowDeleted, "value") << " in and below), add "
              << Count(totals.valuesAdded, "value") << ", change " << totals.valuesChanged
              << ", delete " << totals.valuesDeleted << ", and set "
              << Count(totals.valuesUnchanged, "value") << " to what "
              << (totals.valuesUnchanged == 1 ? "it already holds" : "they already hold")
              << ". Nothing was written.\n";
    return 0;
}

int Run(const Arguments& arguments) {
    const bool fromInput = arguments.positional()[0] == "-";
    const std::string file = fromInput ? "standard input" : arguments.positional()[0];
    std::ifstream opened;
    if (!fromInput) {
        opened.open(file, std::ios::binary);
        if (!opened) return Fail("cannot read " + file + ": " + std::strerror(errno));
    }
    std::istream& in = fromInput ? std::cin : opened;
    const auto mode = arguments.Has("replace") ? registry::RegImportMode::Replace
                                               : registry::RegImportMode::Merge;
    if (arguments.Has("force") && !arguments.Has("replace"))
        return Fail("--force goes with --replace");
    if (arguments.Has("dry-run")) return DryRun(file, in, mode);
    // The question would be answered from the file itself.
    if (fromInput && arguments.Has("replace") && !arguments.Has("force")) {
        return Fail("--replace with the file on standard input needs --force");
    }
    std::string refusal;
    if (arguments.Has("replace") &&
        !Confirm("Replace everything the registry holds with what " + file + " holds",
                 arguments.Has("force"), &refusal)) {
        return Fail(refusal);
    }
    const registry::RegImportResult result = registry::ImportRegFile(in, mode);
    return result.ok ? 0 : Fail(file + ": " + result.error + "; nothing was imported");
}

}  // namespace

const Command kImportCommand{
    "import",
    "import FILE [--dry-run] [--replace [--force]]",
    "Apply the .reg file FILE (- for standard input; \"REGEDIT4\" or \"Windows Registry Editor "
    "Version 5.00\", UTF-8 or\n"
    "UTF-16LE with a byte-order mark) all or nothing: a malformed line, or an operation the\n"
    "registry refuses, changes nothing and is named with its line and the reason. --dry-run\n"
    "prints every change the import would make (keys created and deleted, values added,\n"
    "changed and deleted) and counts the values it would set to what they already hold.",
    1,
    1,
    kOptions,
    [](const Arguments& arguments) { return arguments.Has("dry-run"); },
    Run,
};

}  // namespace brackwell::tools
