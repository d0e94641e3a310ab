#pragma once
// The search's text test for one find text, made once per search step: the
// find text is upper-cased once; an ASCII candidate is compared in place and
// any other is upper-cased into a buffer that is reused, so testing the names
// and Data texts of a whole registry costs no allocation per candidate. The
// rule is MatchText's.

#include "framework/CString.h"

class TextMatcher {
public:
    TextMatcher(const CString& strFind, BOOL bMatchWhole);

    // Substring mode: the upper-cased find text occurs in the upper-cased
    // candidate (the empty find text everywhere); whole-string mode: the two
    // upper-cased texts are equal.
    BOOL Matches(const CString& strCandidate);

private:
    CString m_strFind;
    BOOL m_bMatchWhole;
    CString m_strBuffer;
};
