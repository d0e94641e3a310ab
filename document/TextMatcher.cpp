#include "document/TextMatcher.h"

TextMatcher::TextMatcher(const CString& strFind, BOOL bMatchWhole)
    : m_strFind(strFind), m_bMatchWhole(bMatchWhole) {
    m_strFind.MakeUpper();
}

BOOL TextMatcher::Matches(const CString& strCandidate) {
    m_strBuffer = strCandidate;
    m_strBuffer.MakeUpper();
    if (m_bMatchWhole) return m_strBuffer == m_strFind;
    return m_strBuffer.Find(m_strFind) >= 0;
}
