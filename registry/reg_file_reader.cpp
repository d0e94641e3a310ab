#include "registry/reg_file_reader.h"

#include <optional>
#include <streambuf>

#include "registry/apply_operations.h"
#include "registry/current_registry.h"
#include "registry/key_path.h"
#include "registry/reg_key_header.h"
#include "registry/reg_line_cursor.h"
#include "registry/reg_line_scanner.h"
#include "registry/reg_value_line.h"
#include "registry/registry_error_text.h"

namespace brackwell::registry {

namespace {

using namespace regfile;
using Kind = RegOperation::Kind;

constexpr std::u16string_view kRegedit4Header = u"REGEDIT4";
constexpr std::u16string_view kVersion5Header = u"Windows Registry Editor Version 5.00";

RegReadResult Refuse(int line, const std::string& reason) {
    return {false, "line " + std::to_string(line) + ": " + reason};
}

// Bytes in memory read as a stream, without a copy.
class MemoryBuffer : public std::streambuf {
public:
    explicit MemoryBuffer(std::string_view bytes) {
        char* begin = const_cast<char*>(bytes.data());
        setg(begin, begin, begin + bytes.size());
    }
};

}  // namespace

RegReadResult ReadRegFile(std::istream& in, const RegOperationSink& sink) {
    RegLineCursor cursor(in);
    if (!cursor.error().empty()) return Refuse(cursor.LineNumber(), cursor.error());
    const std::u16string_view header = TrimBlanks(cursor.Current());
    const bool regedit4 = header == kRegedit4Header;
    if (!regedit4 && header != kVersion5Header) {
        return Refuse(1,
                      "not a registry file: the first line must read \"REGEDIT4\" or "
                      "\"Windows Registry Editor Version 5.00\"");
    }
    std::optional<RegKeyHeader> key;
    RegOperation op;
    for (cursor.Advance(); !cursor.AtEnd(); cursor.Advance()) {
        const int line = cursor.LineNumber();
        RegLineScanner scanner(cursor.Current());
        scanner.SkipBlanks();
        if (scanner.AtEnd() || scanner.Peek() == u';' || scanner.Peek() == u'#') continue;
        std::string reason;
        if (scanner.Peek() == u'[') {
            RegKeyHeader header;
            if (!ParseRegKeyHeader(scanner.Rest(), header, reason)) return Refuse(line, reason);
            op.kind = header.remove ? Kind::DeleteKey : Kind::CreateKey;
            op.root = header.root;
            op.path = header.path;
            op.name.clear();
            op.type = REG_NONE;
            op.data.clear();
            key = std::move(header);
        } else if (scanner.Peek() == u'"' || scanner.Peek() == u'@') {
            if (!key) {
                return Refuse(
                    line,
                    "a value needs a key header such as [HKEY_LOCAL_MACHINE\\Software] before it");
            }
            RegValueLine value;
            if (!ParseRegValueLine(scanner, cursor, regedit4, value, reason)) {
                return Refuse(cursor.LineNumber(), reason);
            }
            // Values under [-key] are checked like any other line but not applied:
            // setting one would bring back the key the header has just removed.
            if (key->remove) continue;
            // The key's root and path stay in op from its header.
            op.kind = value.remove ? Kind::DeleteValue : Kind::SetValue;
            op.name = std::move(value.name);
            op.type = value.type;
            op.data = std::move(value.data);
        } else {
            return Refuse(line, "unexpected text " + Quote(scanner.Rest()) +
                                    "; expected [key], \"name\"=data, @=data or a comment");
        }
        op.line = line;
        if (!sink(op, &reason)) return Refuse(line, reason);
    }
    if (!cursor.error().empty()) return Refuse(cursor.LineNumber(), cursor.error());
    return {true, {}};
}

RegParseResult ParseRegFile(std::string_view bytes) {
    MemoryBuffer buffer(bytes);
    std::istream in(&buffer);
    RegParseResult result;
    // The limits an import would refuse are refused here too, so a parse reports
    // the same first fault, on the same line, as an import of the same file.
    const RegReadResult read = ReadRegFile(in, [&](const RegOperation& op, std::string* reason) {
        *reason = RegOperationRefusal(op, SplitKeyPath(op.path));
        if (!reason->empty()) return false;
        result.operations.push_back(op);
        return true;
    });
    result.ok = read.ok;
    result.error = read.error;
    if (!result.ok) result.operations.clear();
    return result;
}

RegImportResult ImportRegFile(std::istream& in, RegImportMode mode) {
    RegistryStore* store = CurrentRegistry();
    if (!store) return {false, "no registry is open"};
    RegReadResult read;
    const LONG rc = store->Write([&] {
        if (mode == RegImportMode::Replace) {
            std::vector<RegOperation> clearing;
            if (!ClearingOperations(&clearing, &read.error)) return ERROR_INVALID_PARAMETER;
            for (const RegOperation& op : clearing) {
                if (const LONG cleared = ApplyOperation(*store, op, &read.error);
                    cleared != ERROR_SUCCESS) {
                    return cleared;
                }
            }
        }
        read = ReadRegFile(in, [&](const RegOperation& op, std::string* reason) {
            return ApplyOperation(*store, op, reason) == ERROR_SUCCESS;
        });
        return read.ok ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER;
    });
    if (rc == ERROR_SUCCESS) return {true, {}};
    return {false, read.error.empty() ? RegistryErrorText(rc) : read.error};
}

RegImportResult ImportRegFile(std::string_view bytes) {
    MemoryBuffer buffer(bytes);
    std::istream in(&buffer);
    return ImportRegFile(in);
}

}  // namespace brackwell::registry
