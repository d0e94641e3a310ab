#include "framework/AfxTextPool.h"

#include <algorithm>
#include <limits>

namespace {

// Below this the garbage is not worth a copy of the whole buffer.
constexpr std::size_t kCompactFloor = 64 * 1024;

}  // namespace

bool AfxTextPool::Append(std::u16string_view text, Ref* pRef) {
    if (text.size() > std::numeric_limits<std::uint32_t>::max() - m_chars.size()) return false;
    pRef->begin = std::uint32_t(m_chars.size());
    pRef->length = std::uint32_t(text.size());
    m_chars.insert(m_chars.end(), text.begin(), text.end());
    return true;
}

void AfxTextPool::Clear() {
    m_chars.clear();
    m_nReleased = 0;
}

bool AfxTextPool::IsSparse() const {
    return m_nReleased > kCompactFloor && m_nReleased * 2 > m_chars.size();
}

void AfxTextPool::Compact(std::span<Ref> refs) {
    std::vector<char16_t> chars;
    chars.reserve(m_chars.size() - std::min(m_nReleased, m_chars.size()));
    for (Ref& ref : refs) {
        const std::u16string_view text = View(ref);
        ref.begin = std::uint32_t(chars.size());
        chars.insert(chars.end(), text.begin(), text.end());
    }
    m_chars.swap(chars);
    m_nReleased = 0;
}
