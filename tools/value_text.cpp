#include "tools/value_text.h"

#include <array>
#include <charconv>
#include <cstdio>

#include "registry/reg_text_encoding.h"

namespace brackwell::tools {
namespace {

using registry::regfile::Utf16ToUtf8;
using registry::regfile::Utf8ToUtf16;

constexpr DWORD REG_DWORD_BIG_ENDIAN = 5;
constexpr DWORD REG_QWORD = 11;

constexpr std::array<std::string_view, 12> kTypeNames = {"REG_NONE",
                                                         "REG_SZ",
                                                         "REG_EXPAND_SZ",
                                                         "REG_BINARY",
                                                         "REG_DWORD",
                                                         "REG_DWORD_BIG_ENDIAN",
                                                         "REG_LINK",
                                                         "REG_MULTI_SZ",
                                                         "REG_RESOURCE_LIST",
                                                         "REG_FULL_RESOURCE_DESCRIPTOR",
                                                         "REG_RESOURCE_REQUIREMENTS_LIST",
                                                         "REG_QWORD"};

bool IsText(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == 6;
}

std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

// The UTF-16 strings of data, split at its NUL characters; a trailing odd byte is left out.
std::vector<std::u16string> Strings(std::span<const BYTE> data) {
    std::vector<std::u16string> strings(1);
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        const auto unit = static_cast<char16_t>(data[i] | data[i + 1] << 8);
        if (unit == u'\0') {
            strings.emplace_back();
        } else {
            strings.back().push_back(unit);
        }
    }
    return strings;
}

std::optional<std::uint64_t> ParseNumber(std::string_view text, std::uint64_t largest) {
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    }
    std::uint64_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        number > largest) {
        return std::nullopt;
    }
    return number;
}

void AppendUtf16(std::vector<BYTE>& data, std::u16string_view text) {
    for (const char16_t unit : text) {
        data.push_back(static_cast<BYTE>(unit & 0xFF));
        data.push_back(static_cast<BYTE>(unit >> 8));
    }
    data.insert(data.end(), {0, 0});
}

}  // namespace

std::string TypeName(DWORD type) {
    if (type < kTypeNames.size()) return std::string(kTypeNames[type]);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%x", type);
    return buffer;
}

std::optional<DWORD> ParseType(std::string_view text) {
    const std::string upper = Upper(text);
    for (DWORD type = 0; type < kTypeNames.size(); ++type) {
        if (upper == kTypeNames[type]) return type;
    }
    if (upper == "REG_DWORD_LITTLE_ENDIAN") return REG_DWORD;
    if (upper == "REG_QWORD_LITTLE_ENDIAN") return REG_QWORD;
    if (const auto number = ParseNumber(text, 0xFFFFFFFF)) return static_cast<DWORD>(*number);
    return std::nullopt;
}

std::string TypeNames() {
    std::string names;
    for (const std::string_view name : kTypeNames)
        names += (names.empty() ? "" : ", ") + std::string(name);
    return names + " or a number";
}

std::string DataText(DWORD type, std::span<const BYTE> data) {
    char buffer[24];
    if (IsText(type)) return Utf16ToUtf8(Strings(data).front());
    if (type == REG_MULTI_SZ) {
        std::vector<std::u16string> strings = Strings(data);
        while (!strings.empty() && strings.back().empty()) strings.pop_back();
        std::string text;
        for (std::size_t i = 0; i < strings.size(); ++i)
            text += (i ? "\\0" : "") + Utf16ToUtf8(strings[i]);
        return text;
    }
    if ((type == REG_DWORD || type == REG_DWORD_BIG_ENDIAN) && data.size() == 4) {
        DWORD number = 0;
        for (int i = 0; i < 4; ++i) {
            const int shift = type == REG_DWORD ? 8 * i : 8 * (3 - i);
            number |= DWORD{data[static_cast<std::size_t>(i)]} << shift;
        }
        std::snprintf(buffer, sizeof buffer, "0x%x", number);
        return buffer;
    }
    if (type == REG_QWORD && data.size() == 8) {
        unsigned long long number = 0;
        for (int i = 7; i >= 0; --i) number = number << 8 | data[static_cast<std::size_t>(i)];
        std::snprintf(buffer, sizeof buffer, "0x%llx", number);
        return buffer;
    }
    std::string text;
    text.reserve(data.size() * 2);
    for (const BYTE b : data) {
        std::snprintf(buffer, sizeof buffer, "%02X", b);
        text += buffer;
    }
    return text;
}

std::string ValueLine(std::u16string_view name, DWORD type, std::span<const BYTE> data) {
    return "    " + (name.empty() ? std::string("(Default)") : Utf16ToUtf8(name)) + "    " +
           TypeName(type) + "    " + DataText(type, data);
}

std::string ValueLabel(std::u16string_view name) {
    return name.empty() ? "default value" : "value \"" + Utf16ToUtf8(name) + "\"";
}

bool ParseData(DWORD type, std::string_view text, std::string_view separator,
               std::vector<BYTE>* data, std::string* error) {
    data->clear();
    const auto wide = Utf8ToUtf16(text);
    if (!wide) {
        *error = "the data is not valid UTF-8";
        return false;
    }
    if (IsText(type)) {
        AppendUtf16(*data, *wide);
        return true;
    }
    if (type == REG_MULTI_SZ) {
        const auto split = Utf8ToUtf16(separator.empty() ? "\\0" : separator);
        if (!split || split->empty()) {
            *error = "the separator is not valid UTF-8";
            return false;
        }
        for (std::size_t start = 0; start < wide->size();) {
            std::size_t end = wide->find(*split, start);
            if (end == std::u16string::npos) end = wide->size();
            if (end == start) {
                *error = "a REG_MULTI_SZ cannot hold an empty string";
                return false;
            }
            AppendUtf16(*data, std::u16string_view(*wide).substr(start, end - start));
            start = end == wide->size() ? end : end + split->size();
        }
        data->insert(data->end(), {0, 0});
        return true;
    }
    if (type == REG_DWORD || type == REG_DWORD_BIG_ENDIAN || type == REG_QWORD) {
        const std::size_t size = type == REG_QWORD ? 8 : 4;
        const auto number = ParseNumber(text, size == 8 ? ~std::uint64_t{0} : 0xFFFFFFFF);
        if (!number) {
            *error = "\"" + std::string(text) + "\" is not a number for " + TypeName(type) +
                     " (decimal, or hexadecimal after 0x)";
            return false;
        }
        for (std::size_t i = 0; i < size; ++i) {
            const std::size_t shift = type == REG_DWORD_BIG_ENDIAN ? 8 * (size - 1 - i) : 8 * i;
            data->push_back(static_cast<BYTE>(*number >> shift));
        }
        return true;
    }
    if (text.size() % 2 != 0) {
        *error = "the data for " + TypeName(type) + " must be pairs of hexadecimal digits";
        return false;
    }
    for (std::size_t i = 0; i < text.size(); i += 2) {
        unsigned value = 0;
        const auto [end, failed] = std::from_chars(text.data() + i, text.data() + i + 2, value, 16);
        if (failed != std::errc() || end != text.data() + i + 2) {
            *error = "the data for " + TypeName(type) + " must be pairs of hexadecimal digits";
            return false;
        }
        data->push_back(static_cast<BYTE>(value));
    }
    return true;
}

}  // namespace brackwell::tools
