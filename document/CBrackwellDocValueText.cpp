// The Data-column text and image of a value by its type; shared by the
// listing, the edits that add or rewrite rows, and the data search.
#include <algorithm>
#include <cstring>

#include "document/CBrackwellDoc.h"

namespace {

// The UTF-16 characters of the data up to the first NUL, or to the end when
// there is none; a trailing odd byte is ignored.
CString TextUpToNul(const BYTE* pData, DWORD cbData) {
    std::u16string text(cbData / 2, u'\0');
    if (!text.empty()) std::memcpy(text.data(), pData, text.size() * 2);
    text.resize(std::min(text.size(), text.find(u'\0')));
    return CString(std::move(text));
}

// Little-endian; missing bytes of a short value count as zero.
CString NumberText(const BYTE* pData, DWORD cbData) {
    DWORD dwValue = 0;
    for (DWORD i = 0; i < std::min<DWORD>(cbData, 4); ++i) dwValue |= DWORD(pData[i]) << (8 * i);
    CString text;
    text.Format(u"%d", int(dwValue));
    return text;
}

}  // namespace

CString CBrackwellDoc::FormatBinary(const BYTE* pData, DWORD cbData) {
    CString text;
    for (DWORD i = 0; i < std::min<DWORD>(cbData, 4); ++i) {
        CString byte;
        byte.Format(u"%02X ", pData[i]);
        text += byte;
    }
    return text;
}

ValueDisplay CBrackwellDoc::DescribeValue(DWORD dwType, const BYTE* pData, DWORD cbData) {
    switch (dwType) {
        case REG_SZ:
            return {TextUpToNul(pData, cbData), kImageString};
        case REG_MULTI_SZ:
            return {TextUpToNul(pData, cbData), kImageMultiString};
        case REG_DWORD:
            return {NumberText(pData, cbData), kImageNumber};
        case REG_BINARY:
            return {FormatBinary(pData, cbData), kImageBinary};
        default:
            return {TextUpToNul(pData, cbData), kImageOther};
    }
}
