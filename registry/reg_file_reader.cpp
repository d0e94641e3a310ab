#include "registry/reg_file_reader.h"

#include <optional>

#include "registry/apply_operations.h"
#include "registry/reg_key_header.h"
#include "registry/reg_line_cursor.h"
#include "registry/reg_line_scanner.h"
#include "registry/reg_text_encoding.h"
#include "registry/reg_value_line.h"

namespace brackwell::registry {

namespace {

using namespace regfile;
using Kind = RegOperation::Kind;

constexpr std::u16string_view kRegedit4Header = u"REGEDIT4";
constexpr std::u16string_view kVersion5Header = u"Windows Registry Editor Version 5.00";

RegParseResult Refuse(int line, const std::string& reason) {
    RegParseResult result;
    result.error = "line " + std::to_string(line) + ": " + reason;
    return result;
}

}  // namespace

RegParseResult ParseRegFile(std::string_view bytes) {
    const DecodedText decoded = DecodeRegFileBytes(bytes);
    if (!decoded.error.empty()) {
        RegParseResult result;
        result.error = decoded.error;
        return result;
    }
    RegLineCursor cursor(decoded.text);
    const std::u16string_view header = TrimBlanks(cursor.Current());
    const bool regedit4 = header == kRegedit4Header;
    if (!regedit4 && header != kVersion5Header)
        return Refuse(1,
                      "not a registry file: the first line must read \"REGEDIT4\" or "
                      "\"Windows Registry Editor Version 5.00\"");

    RegParseResult result;
    std::optional<RegKeyHeader> key;
    for (cursor.Advance(); !cursor.AtEnd(); cursor.Advance()) {
        const int line = cursor.LineNumber();
        RegLineScanner scanner(cursor.Current());
        scanner.SkipBlanks();
        if (scanner.AtEnd() || scanner.Peek() == u';' || scanner.Peek() == u'#') continue;
        std::string reason;
        if (scanner.Peek() == u'[') {
            RegKeyHeader header;
            if (!ParseRegKeyHeader(scanner.Rest(), header, reason)) return Refuse(line, reason);
            result.operations.push_back({header.remove ? Kind::DeleteKey : Kind::CreateKey,
                                         header.root,
                                         header.path,
                                         {},
                                         REG_NONE,
                                         {},
                                         line});
            key = std::move(header);
        } else if (scanner.Peek() == u'"' || scanner.Peek() == u'@') {
            if (!key)
                return Refuse(
                    line,
                    "a value needs a key header such as [HKEY_LOCAL_MACHINE\\Software] before it");
            RegValueLine value;
            if (!ParseRegValueLine(scanner, cursor, regedit4, value, reason))
                return Refuse(cursor.LineNumber(), reason);
            // Values under [-key] are checked like any other line but not applied:
            // setting one would bring back the key the header has just removed.
            if (key->remove) continue;
            result.operations.push_back({value.remove ? Kind::DeleteValue : Kind::SetValue,
                                         key->root, key->path, std::move(value.name), value.type,
                                         std::move(value.data), line});
        } else {
            return Refuse(line, "unexpected text " + Quote(scanner.Rest()) +
                                    "; expected [key], \"name\"=data, @=data or a comment");
        }
    }
    result.ok = true;
    return result;
}

RegImportResult ImportRegFile(std::string_view bytes) {
    RegImportResult result;
    RegParseResult parsed = ParseRegFile(bytes);
    if (!parsed.ok) {
        result.error = std::move(parsed.error);
        return result;
    }
    result.ok = ApplyOperations(parsed.operations, &result.error);
    return result;
}

}  // namespace brackwell::registry
