#pragma once
// Reads tokens from one line of a .reg file: blanks, fixed words, quoted names and
// strings, and hexadecimal numbers.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brackwell::registry::regfile {

class RegLineScanner {
public:
    explicit RegLineScanner(std::u16string_view line) : m_line(line) {}

    void SkipBlanks();
    bool AtEnd() const { return m_pos >= m_line.size(); }
    // True when only blanks remain, or blanks and then a comment (";" to the end).
    bool AtEndOrComment() const;
    char16_t Peek() const { return m_line[m_pos]; }
    void Skip(std::size_t count = 1) { m_pos += count; }
    std::u16string_view Rest() const { return m_line.substr(m_pos); }

    // Consumes word when the line continues with it, ignoring ASCII case.
    bool ConsumeWord(std::u16string_view word);

    // Reads a double-quoted text at the current position, undoing the escapes \\ and \".
    bool ReadQuoted(std::u16string& text, std::string& reason);

    // Reads 1 to maxDigits hexadecimal digits; nullopt (nothing consumed) if there are none
    // or more than maxDigits.
    std::optional<std::uint32_t> ReadHex(std::size_t maxDigits);

private:
    std::u16string_view m_line;
    std::size_t m_pos = 0;
};

bool IsBlank(char16_t c);
std::u16string_view TrimBlanks(std::u16string_view text);
// The value of a hexadecimal digit, or -1 for any other character.
inline int HexDigitValue(char16_t c) {
    static constexpr auto kValues = [] {
        std::array<std::int8_t, 128> values{};
        for (int i = 0; i < 128; ++i) {
            values[i] = i >= '0' && i <= '9'   ? i - '0'
                        : i >= 'a' && i <= 'f' ? i - 'a' + 10
                        : i >= 'A' && i <= 'F' ? i - 'A' + 10
                                               : -1;
        }
        return values;
    }();
    return c < 128 ? kValues[c] : -1;
}
inline bool IsHexDigit(char16_t c) {
    return HexDigitValue(c) >= 0;
}

// Text for an error message: the characters in UTF-8 within double quotes, cut short if long.
std::string Quote(std::u16string_view text);

}  // namespace brackwell::registry::regfile
