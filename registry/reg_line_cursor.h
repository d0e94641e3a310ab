#pragma once
// Walks the lines of a decoded .reg text; CRLF, LF and CR all end a line.

#include <string_view>
#include <vector>

namespace brackwell::registry::regfile {

class RegLineCursor {
public:
    explicit RegLineCursor(std::u16string_view text);

    bool AtEnd() const { return m_index >= m_lines.size(); }
    std::u16string_view Current() const { return m_lines[m_index]; }
    // 1-based number of the current line; past the end, the number of the last line.
    int LineNumber() const;
    void Advance() { ++m_index; }

private:
    std::vector<std::u16string_view> m_lines;
    std::size_t m_index = 0;
};

}  // namespace brackwell::registry::regfile
