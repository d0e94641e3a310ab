#include "registry/reg_value_line.h"

#include "registry/reg_text_encoding.h"

namespace brackwell::registry::regfile {

namespace {

bool IsStringType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// Moves to the line after a ",\" and skips its leading blanks.
bool ContinueOnNextLine(RegLineScanner& scanner, RegLineCursor& cursor, std::string& reason) {
    scanner.Skip();  // the backslash
    if (!scanner.AtEndOrComment()) {
        reason = "unexpected text after \"\\\"";
        return false;
    }
    cursor.Advance();
    if (cursor.AtEnd()) {
        reason = cursor.error().empty() ? "the file ends where the hex data should continue"
                                        : cursor.error();
        return false;
    }
    scanner = RegLineScanner(cursor.Current());
    scanner.SkipBlanks();
    if (scanner.AtEnd()) {
        reason = "blank line where the hex data should continue";
        return false;
    }
    if (scanner.Peek() == u'[') {
        reason = "key header where the hex data should continue";
        return false;
    }
    // A line of its own "\\" would join the bytes around it into one value, which is
    // not what the file's writer can have meant.
    if (scanner.Peek() == u'\\') {
        reason = "a line holding only \"\\\" breaks the hex data";
        return false;
    }
    return true;
}

bool ReadByte(RegLineScanner& scanner, std::vector<BYTE>& data, std::string& reason) {
    const std::u16string_view rest = scanner.Rest();
    if (!IsHexDigit(rest[0])) {
        reason = "unexpected " + Quote(rest.substr(0, 1)) + " in hex data";
        return false;
    }
    if (rest.size() >= 2 && rest[1] == u'\\') {
        reason = "a byte is split across lines";
        return false;
    }
    if (rest.size() < 2 || !IsHexDigit(rest[1]) || (rest.size() > 2 && IsHexDigit(rest[2]))) {
        reason = "each byte needs two hexadecimal digits";
        return false;
    }
    data.push_back(static_cast<BYTE>(HexDigitValue(rest[0]) << 4 | HexDigitValue(rest[1])));
    scanner.Skip();
    scanner.Skip();
    return true;
}

// Reads bytes written as "xx," one after the other, the way exporters write
// them, without the checks of the general case; false when there is none.
bool ReadByteRun(RegLineScanner& scanner, std::vector<BYTE>& data) {
    const std::u16string_view rest = scanner.Rest();
    const std::size_t held = data.size();
    data.resize(held + rest.size() / 3);
    BYTE* next = data.data() + held;
    std::size_t used = 0;
    for (; used + 2 < rest.size() && rest[used + 2] == u','; used += 3) {
        const int high = HexDigitValue(rest[used]);
        const int low = HexDigitValue(rest[used + 1]);
        if ((high | low) < 0) break;
        *next++ = static_cast<BYTE>(high << 4 | low);
    }
    data.resize(held + used / 3);
    scanner.Skip(used);
    return used > 0;
}

// Comma-separated bytes; the empty list is allowed.
bool ReadHexBytes(RegLineScanner& scanner, RegLineCursor& cursor, std::vector<BYTE>& data,
                  std::string& reason) {
    enum class Expect { FirstByte, Byte, Comma };
    Expect expect = Expect::FirstByte;
    for (;;) {
        scanner.SkipBlanks();
        if (scanner.AtEndOrComment()) {
            if (expect != Expect::Byte) return true;
            reason = "expected a byte after \",\"";
            return false;
        }
        const char16_t c = scanner.Peek();
        if (c == u'\\') {
            if (expect == Expect::Comma) {
                reason = "expected \",\" before \"\\\"";
                return false;
            }
            if (!ContinueOnNextLine(scanner, cursor, reason)) return false;
        } else if (expect != Expect::Comma && ReadByteRun(scanner, data)) {
            expect = Expect::Byte;
        } else if (expect == Expect::Comma) {
            if (c != u',') {
                reason =
                    "expected \",\" between bytes, found " + Quote(scanner.Rest().substr(0, 1));
                return false;
            }
            scanner.Skip();
            expect = Expect::Byte;
        } else {
            if (!ReadByte(scanner, data, reason)) return false;
            expect = Expect::Comma;
        }
    }
}

bool ReadHexData(RegLineScanner& scanner, RegLineCursor& cursor, bool regedit4, RegValueLine& value,
                 std::string& reason) {
    value.type = REG_BINARY;
    if (!scanner.AtEnd() && scanner.Peek() == u'(') {
        scanner.Skip();
        const auto type = scanner.ReadHex(8);
        if (!type || scanner.AtEnd() || scanner.Peek() != u')') {
            reason = "hex( needs a type of 1 to 8 hexadecimal digits and a \")\"";
            return false;
        }
        scanner.Skip();
        value.type = *type;
    }
    if (scanner.AtEnd() || scanner.Peek() != u':') {
        reason = "expected \":\" after hex";
        return false;
    }
    scanner.Skip();
    if (!ReadHexBytes(scanner, cursor, value.data, reason)) return false;
    if (regedit4 && IsStringType(value.type)) value.data = WidenSingleByteText(value.data);
    return true;
}

bool ReadData(RegLineScanner& scanner, RegLineCursor& cursor, bool regedit4, RegValueLine& value,
              std::string& reason) {
    if (scanner.AtEnd()) {
        reason = "missing data after \"=\"";
        return false;
    }
    if (scanner.Peek() == u'-') {
        scanner.Skip();
        value.remove = true;
        if (scanner.AtEndOrComment()) return true;
        reason = "unexpected text after \"-\"";
        return false;
    }
    if (scanner.Peek() == u'"') {
        std::u16string text;
        if (!scanner.ReadQuoted(text, reason)) return false;
        if (!scanner.AtEndOrComment()) {
            reason = "unexpected text after the closing \"";
            return false;
        }
        value.type = REG_SZ;
        value.data = Utf16LeBytes(text);
        value.data.insert(value.data.end(), {0, 0});
        return true;
    }
    if (scanner.ConsumeWord(u"dword:")) {
        scanner.SkipBlanks();
        const auto number = scanner.ReadHex(8);
        if (!number || !scanner.AtEndOrComment()) {
            reason = "dword needs 1 to 8 hexadecimal digits";
            return false;
        }
        value.type = REG_DWORD;
        value.data = {static_cast<BYTE>(*number), static_cast<BYTE>(*number >> 8),
                      static_cast<BYTE>(*number >> 16), static_cast<BYTE>(*number >> 24)};
        return true;
    }
    if (scanner.ConsumeWord(u"hex")) return ReadHexData(scanner, cursor, regedit4, value, reason);
    reason = "unknown data " + Quote(scanner.Rest()) + "; expected \"text\", dword:, hex: or -";
    return false;
}

}  // namespace

bool ParseRegValueLine(RegLineScanner& scanner, RegLineCursor& cursor, bool regedit4,
                       RegValueLine& value, std::string& reason) {
    if (scanner.Peek() == u'@') {
        scanner.Skip();
        value.name.clear();
    } else if (!scanner.ReadQuoted(value.name, reason)) {
        return false;
    }
    scanner.SkipBlanks();
    if (scanner.AtEnd() || scanner.Peek() != u'=') {
        reason = "expected \"=\" after the value name";
        return false;
    }
    scanner.Skip();
    scanner.SkipBlanks();
    return ReadData(scanner, cursor, regedit4, value, reason);
}

}  // namespace brackwell::registry::regfile
