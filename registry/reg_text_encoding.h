#pragma once
// Text conversions used by the .reg reader and writer: UTF-8 to and from UTF-16,
// and the widening of single-byte string data in REGEDIT4 files.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brackwell::registry::regfile {

// Decodes the UTF-8 bytes and appends them to out as UTF-16, returning how many
// bytes were used: all of them, unless they end inside a character (when not
// final, those bytes are left for the next call) or hold an invalid sequence
// (overlong forms and surrogates included), where *invalid is set and decoding stops.
std::size_t DecodeUtf8(std::string_view bytes, bool final, std::u16string& out, bool* invalid);

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
