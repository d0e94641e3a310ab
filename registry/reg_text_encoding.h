#pragma once
// Text conversions used by the .reg reader: file bytes to UTF-16, UTF-8 to and from
// UTF-16, and the widening of single-byte string data in REGEDIT4 files.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brackwell::registry::regfile {

struct DecodedText {
    std::u16string text;
    std::string error;  // "line N: reason" when the bytes are not valid text
};

// UTF-16LE when the bytes start with its byte-order mark, otherwise UTF-8 (a UTF-8
// byte-order mark is dropped). NUL characters are refused: names and strings travel
// NUL-terminated, so one inside the text would silently cut them short.
DecodedText DecodeRegFileBytes(std::string_view bytes);

// Strict UTF-8 (no overlong forms, no surrogates); nullopt when invalid.
std::optional<std::u16string> Utf8ToUtf16(std::string_view utf8);

// Lone surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);

// UTF-16LE bytes of text, without a terminator.
std::vector<std::uint8_t> Utf16LeBytes(std::u16string_view text);

// String data written as hex in a REGEDIT4 file is single-byte text; the store keeps
// UTF-16LE. Bytes that form valid UTF-8 are read as UTF-8, like the rest of the
// file; otherwise every byte is widened to the code point of the same number.
std::vector<std::uint8_t> WidenSingleByteText(const std::vector<std::uint8_t>& bytes);

}  // namespace brackwell::registry::regfile
