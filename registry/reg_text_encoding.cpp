#include "registry/reg_text_encoding.h"

namespace brackwell::registry::regfile {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";

// Decodes UTF-8 into out; on failure returns false with *badOffset at the faulty sequence.
bool DecodeUtf8(std::string_view in, std::u16string& out, std::size_t* badOffset) {
    out.clear();
    out.reserve(in.size());
    std::size_t i = 0;
    while (i < in.size()) {
        const auto lead = static_cast<unsigned char>(in[i]);
        // Continuation bytes after the lead byte, and the smallest code point that needs them.
        std::size_t extra = 0;
        char32_t minimum = 0;
        if (lead >= 0x80) {
            extra = (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : (lead & 0xF8) == 0xF0 ? 3 : 0;
            if (extra == 0) {
                *badOffset = i;
                return false;
            }
            minimum = extra == 1 ? 0x80 : extra == 2 ? 0x800 : 0x10000;
        }
        char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
        if (i + extra >= in.size() && extra > 0) {
            *badOffset = i;
            return false;
        }
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(in[i + k]);
            if ((next & 0xC0) != 0x80) {
                *badOffset = i;
                return false;
            }
            cp = (cp << 6) | (next & 0x3F);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            *badOffset = i;
            return false;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += extra + 1;
    }
    return true;
}

// 1-based line of position end in text, counting CRLF, LF and CR as one break each.
template <typename Char>
int LineAt(std::basic_string_view<Char> text, std::size_t end) {
    int line = 1;
    for (std::size_t i = 0; i < end && i < text.size(); ++i) {
        if (text[i] == Char('\n') || (text[i] == Char('\r') && (i + 1 >= text.size() || text[i + 1] != Char('\n'))))
            ++line;
    }
    return line;
}

std::string LineError(int line, std::string_view reason) {
    return "line " + std::to_string(line) + ": " + std::string(reason);
}

}  // namespace

DecodedText DecodeRegFileBytes(std::string_view bytes) {
    DecodedText result;
    if (bytes.starts_with(kUtf16LeBom)) {
        bytes.remove_prefix(kUtf16LeBom.size());
        result.text.reserve(bytes.size() / 2);
        for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
            result.text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                        static_cast<unsigned char>(bytes[i + 1]) << 8));
        }
        if (bytes.size() % 2 != 0) {
            result.error = LineError(LineAt<char16_t>(result.text, result.text.size()),
                                     "the UTF-16 text ends in half a character");
            return result;
        }
    } else {
        if (bytes.starts_with(kUtf8Bom))
            bytes.remove_prefix(kUtf8Bom.size());
        std::size_t bad = 0;
        if (!DecodeUtf8(bytes, result.text, &bad)) {
            result.error = LineError(LineAt<char>(bytes, bad), "the text is not valid UTF-8");
            return result;
        }
    }
    if (const auto nul = result.text.find(u'\0'); nul != std::u16string::npos)
        result.error = LineError(LineAt<char16_t>(result.text, nul), "NUL character in the text");
    return result;
}

std::optional<std::u16string> Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    std::size_t bad = 0;
    if (!DecodeUtf8(utf8, out, &bad))
        return std::nullopt;
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t cp = utf16[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

std::vector<std::uint8_t> Utf16LeBytes(std::u16string_view text) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

std::vector<std::uint8_t> WidenSingleByteText(const std::vector<std::uint8_t>& bytes) {
    const std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (auto utf16 = Utf8ToUtf16(view))
        return Utf16LeBytes(*utf16);
    std::u16string widened(bytes.begin(), bytes.end());
    return Utf16LeBytes(widened);
}

}  // namespace brackwell::registry::regfile
