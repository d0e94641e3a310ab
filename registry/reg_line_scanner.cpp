#include "registry/reg_line_scanner.h"

#include "registry/reg_text_encoding.h"

namespace brackwell::registry::regfile {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

std::u16string_view TrimBlanks(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string Quote(std::u16string_view text) {
    constexpr std::size_t kMaxShown = 40;
    std::string shown = Utf16ToUtf8(text.substr(0, kMaxShown));
    if (text.size() > kMaxShown) shown += "...";
    return "\"" + shown + "\"";
}

void RegLineScanner::SkipBlanks() {
    while (!AtEnd() && IsBlank(Peek())) ++m_pos;
}

bool RegLineScanner::AtEndOrComment() const {
    std::size_t i = m_pos;
    while (i < m_line.size() && IsBlank(m_line[i])) ++i;
    return i == m_line.size() || m_line[i] == u';';
}

bool RegLineScanner::ConsumeWord(std::u16string_view word) {
    if (m_line.size() - m_pos < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        char16_t c = m_line[m_pos + i];
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
        if (c != word[i]) return false;
    }
    m_pos += word.size();
    return true;
}

bool RegLineScanner::ReadQuoted(std::u16string& text, std::string& reason) {
    text.clear();
    ++m_pos;  // the opening quote
    while (!AtEnd()) {
        const char16_t c = m_line[m_pos++];
        if (c == u'"') return true;
        if (c != u'\\') {
            text.push_back(c);
            continue;
        }
        if (AtEnd()) break;
        const char16_t escaped = m_line[m_pos++];
        if (escaped != u'\\' && escaped != u'"') {
            reason = "unknown escape " + Quote(std::u16string{u'\\', escaped}) +
                     " (only \\\\ and \\\" are allowed)";
            return false;
        }
        text.push_back(escaped);
    }
    reason = "missing the closing \" of " + Quote(text);
    return false;
}

std::optional<std::uint32_t> RegLineScanner::ReadHex(std::size_t maxDigits) {
    std::size_t end = m_pos;
    while (end < m_line.size() && IsHexDigit(m_line[end])) ++end;
    const std::size_t digits = end - m_pos;
    if (digits == 0 || digits > maxDigits) return std::nullopt;
    std::uint32_t value = 0;
    for (; m_pos < end; ++m_pos)
        value = value << 4 | static_cast<std::uint32_t>(HexDigitValue(m_line[m_pos]));
    return value;
}

}  // namespace brackwell::registry::regfile
