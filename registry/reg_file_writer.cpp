#include "registry/reg_file_writer.h"

#include <algorithm>
#include <bit>
#include <optional>
#include <vector>

#include "registry/reg_text_encoding.h"

namespace brackwell::registry {
namespace {

using regfile::Utf16ToUtf8;

constexpr std::u16string_view kVersion5Header = u"Windows Registry Editor Version 5.00";
constexpr std::u16string_view kRegedit4Header = u"REGEDIT4";
constexpr std::u16string_view kLineEnd = u"\r\n";
constexpr std::size_t kFlushAt = 1 << 16;  // characters held before encoding and writing
// A hex line breaks after the comma that brings it to this length, so that with
// its final backslash it stays within 80 characters.
constexpr std::size_t kHexBreakAt = 77;

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

bool HasLoneSurrogate(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            ++i;
        } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
            return true;
        }
    }
    return false;
}

bool IsStringType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

std::u16string Utf16Units(std::span<const BYTE> data) {
    std::u16string units(data.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
    }
    return units;
}

// The text a REG_SZ reads back from as "text": its characters followed by exactly
// one NUL, none of them a NUL or a line break, nor for UTF-8 a lone surrogate.
std::optional<std::u16string> TextForm(std::span<const BYTE> data, RegFileFormat format) {
    if (data.size() < 2 || data.size() % 2 != 0) return std::nullopt;
    std::u16string text = Utf16Units(data);
    if (text.back() != u'\0') return std::nullopt;
    text.pop_back();
    if (text.find_first_of(std::u16string_view(u"\0\r\n", 3)) != std::u16string::npos) {
        return std::nullopt;
    }
    if (format == RegFileFormat::Regedit4 && HasLoneSurrogate(text)) return std::nullopt;
    return text;
}

void AppendEscaped(std::u16string& out, std::u16string_view text) {
    for (const char16_t c : text) {
        if (c == u'\\' || c == u'"') out.push_back(u'\\');
        out.push_back(c);
    }
}

void AppendHexNumber(std::u16string& out, DWORD number, int minimumDigits) {
    static constexpr char16_t kDigits[] = u"0123456789abcdef";
    char16_t digits[8];
    int count = 0;
    do {
        digits[count++] = kDigits[number & 0xF];
        number >>= 4;
    } while (number != 0 || count < minimumDigits);
    while (count > 0) out.push_back(digits[--count]);
}

// Comma-separated byte pairs; lineLength is what the line holds before them.
void AppendHexBytes(std::u16string& out, std::size_t lineLength, std::span<const BYTE> bytes) {
    static constexpr char16_t kDigits[] = u"0123456789abcdef";
    static constexpr std::u16string_view kBreak = u"\\\r\n  ";
    if (bytes.empty()) return;
    // Three characters a byte, and a break at most after the first byte and
    // then every 25 bytes.
    const std::size_t start = out.size();
    out.resize(start + bytes.size() * 3 + (bytes.size() / 25 + 2) * kBreak.size());
    char16_t* next = out.data() + start;
    for (std::size_t i = 0;; ++i) {
        *next++ = kDigits[bytes[i] >> 4];
        *next++ = kDigits[bytes[i] & 0xF];
        if (i + 1 == bytes.size()) break;
        *next++ = u',';
        lineLength += 3;
        if (lineLength >= kHexBreakAt) {
            next = std::copy(kBreak.begin(), kBreak.end(), next);
            lineLength = 2;
        }
    }
    out.resize(static_cast<std::size_t>(next - out.data()));
}

}  // namespace

std::string UnwritableName(std::u16string_view name, RegFileFormat format) {
    if (name.find_first_of(std::u16string_view(u"\r\n", 2)) != std::u16string_view::npos) {
        return "holds a line break, which a .reg file cannot carry";
    }
    if (name.find(u'\0') != std::u16string_view::npos) {
        return "holds a NUL character, which a .reg file cannot carry";
    }
    if (format == RegFileFormat::Regedit4 && HasLoneSurrogate(name)) {
        return "holds a lone UTF-16 surrogate, which a REGEDIT4 file (UTF-8) cannot carry";
    }
    return {};
}

RegFileWriter::RegFileWriter(std::ostream& out, RegFileFormat format) : out_(out), format_(format) {
    if (format_ == RegFileFormat::Version5) out_.write("\xFF\xFE", 2);
    text_ = format_ == RegFileFormat::Version5 ? kVersion5Header : kRegedit4Header;
    text_ += kLineEnd;
}

bool RegFileWriter::BeginKey(std::u16string_view keyLine, std::string* error) {
    if (std::string why = UnwritableName(keyLine, format_); !why.empty()) {
        *error = "the key path " + why;
        return false;
    }
    // The blank line before a key ends the header or the key before it.
    text_ += kLineEnd;
    text_ += u'[';
    text_ += keyLine;
    text_ += u']';
    text_ += kLineEnd;
    return true;
}

bool RegFileWriter::Value(std::u16string_view name, DWORD type, std::span<const BYTE> data,
                          std::string* error) {
    if (std::string why = UnwritableName(name, format_); !why.empty()) {
        *error = "the value name " + why;
        return false;
    }
    const std::size_t start = text_.size();
    if (name.empty()) {
        text_ += u"@=";
    } else {
        text_ += u'"';
        AppendEscaped(text_, name);
        text_ += u"\"=";
    }
    std::optional<std::u16string> text;
    if (type == REG_SZ) text = TextForm(data, format_);
    if (text) {
        text_ += u'"';
        AppendEscaped(text_, *text);
        text_ += u'"';
    } else if (type == REG_DWORD && data.size() == 4) {
        text_ += u"dword:";
        AppendHexNumber(text_, data[0] | data[1] << 8 | data[2] << 16 | DWORD{data[3]} << 24, 8);
    } else {
        // A REGEDIT4 reader takes string data written as hex for 8-bit text:
        // UTF-8 gives every character back, where UTF-16 bytes would be widened.
        std::string utf8;
        if (format_ == RegFileFormat::Regedit4 && IsStringType(type)) {
            const std::u16string units = Utf16Units(data);
            if (data.size() % 2 != 0 || HasLoneSurrogate(units)) {
                text_.resize(start);
                *error =
                    "the data is not UTF-16 text, which a REGEDIT4 file cannot carry for its "
                    "type; export it in the version 5 format";
                return false;
            }
            utf8 = Utf16ToUtf8(units);
            data = {reinterpret_cast<const BYTE*>(utf8.data()), utf8.size()};
        }
        if (type == REG_BINARY) {
            text_ += u"hex:";
        } else {
            text_ += u"hex(";
            AppendHexNumber(text_, type, 1);
            text_ += u"):";
        }
        AppendHexBytes(text_, text_.size() - start, data);
    }
    text_ += kLineEnd;
    if (text_.size() >= kFlushAt) Flush();
    return true;
}

bool RegFileWriter::Finish() {
    text_ += kLineEnd;
    Flush();
    out_.flush();
    return static_cast<bool>(out_);
}

void RegFileWriter::Flush() {
    if (format_ == RegFileFormat::Regedit4) {
        const std::string bytes = Utf16ToUtf8(text_);
        out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    } else if constexpr (std::endian::native == std::endian::little) {
        out_.write(reinterpret_cast<const char*>(text_.data()),
                   static_cast<std::streamsize>(text_.size() * 2));
    } else {
        const std::vector<std::uint8_t> bytes = regfile::Utf16LeBytes(text_);
        out_.write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    text_.clear();
}

}  // namespace brackwell::registry
