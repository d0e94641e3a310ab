#include "registry/reg_line_cursor.h"

namespace brackwell::registry::regfile {

RegLineCursor::RegLineCursor(std::u16string_view text) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\n' && text[i] != u'\r')
            continue;
        m_lines.push_back(text.substr(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size() || m_lines.empty())
        m_lines.push_back(text.substr(start));
}

int RegLineCursor::LineNumber() const {
    const std::size_t index = AtEnd() ? m_lines.size() - 1 : m_index;
    return static_cast<int>(index) + 1;
}

}  // namespace brackwell::registry::regfile
