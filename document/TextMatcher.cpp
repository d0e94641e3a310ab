#include "document/TextMatcher.h"

#include <algorithm>
#include <string_view>

namespace {

// Without an early exit, so that the compiler tests many characters at once.
bool IsAscii(std::u16string_view s) {
    char16_t bits = 0;
    for (const char16_t c : s) bits |= c;
    return bits < 0x80;
}

// Whether an ASCII candidate character is the find text's upper-cased one. A
// closure, not a function, so that the searches inline it.
constexpr auto SameAsUpper = [](char16_t c, char16_t upper) {
    return ((c >= u'a' && c <= u'z') ? char16_t(c - 32) : c) == upper;
};

}  // namespace

TextMatcher::TextMatcher(const CString& strFind, BOOL bMatchWhole)
    : m_strFind(strFind), m_bMatchWhole(bMatchWhole) {
    m_strFind.MakeUpper();
}

BOOL TextMatcher::Matches(const CString& strCandidate) {
    // Most registry text is ASCII: it is compared in place, without the copy.
    const std::u16string_view candidate = strCandidate.str();
    const std::u16string_view find = m_strFind.str();
    if (IsAscii(candidate)) {
        if (m_bMatchWhole)
            return std::equal(candidate.begin(), candidate.end(), find.begin(), find.end(),
                              SameAsUpper);
        return find.empty() || std::search(candidate.begin(), candidate.end(), find.begin(),
                                           find.end(), SameAsUpper) != candidate.end();
    }
    m_strBuffer = strCandidate;
    m_strBuffer.MakeUpper();
    if (m_bMatchWhole) return m_strBuffer == m_strFind;
    return m_strBuffer.Find(m_strFind) >= 0;
}
