#include "framework/CString.h"

#include <QChar>
#include <QString>
#include <algorithm>

namespace {

std::u16string_view View(LPCWSTR psz) {
    return psz ? std::u16string_view(psz) : std::u16string_view();
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Reads the code point at i and advances i past it.
char32_t NextCodePoint(std::u16string_view s, std::size_t& i) {
    const char16_t c = s[i++];
    if (IsHighSurrogate(c) && i < s.size() && IsLowSurrogate(s[i]))
        return QChar::surrogateToUcs4(c, s[i++]);
    return c;
}

template <typename Map>
void MapCase(std::u16string& s, Map map) {
    std::size_t i = 0;
    while (i < s.size()) {
        const std::size_t start = i;
        const char32_t cp = NextCodePoint(s, i);
        const char32_t mapped = map(cp);
        const bool wide = QChar::requiresSurrogates(mapped);
        if (wide != (i - start == 2)) continue;  // keeps the length unchanged
        if (wide) {
            s[start] = QChar::highSurrogate(mapped);
            s[start + 1] = QChar::lowSurrogate(mapped);
        } else {
            s[start] = char16_t(mapped);
        }
    }
}

// Writes digits padded to width: zeros after the sign, or blanks on either side.
void Pad(std::u16string& out, std::u16string_view sign, std::u16string_view digits, int width, bool left,
         bool zero) {
    const std::size_t used = sign.size() + digits.size();
    const std::size_t fill = width > int(used) ? std::size_t(width) - used : 0;
    if (left) {
        out.append(sign).append(digits).append(fill, u' ');
    } else if (zero) {
        out.append(sign).append(fill, u'0').append(digits);
    } else {
        out.append(fill, u' ').append(sign).append(digits);
    }
}

std::u16string Digits(std::uint32_t value, unsigned base, bool upper) {
    const char* set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    std::u16string digits;
    do {
        digits.insert(digits.begin(), char16_t(set[value % base]));
        value /= base;
    } while (value);
    return digits;
}

}  // namespace

CString::CString(LPCWSTR psz) : m_str(View(psz)) {}

CString::CString(LPCWSTR pch, int nLength) {
    if (pch && nLength > 0) m_str.assign(pch, std::size_t(nLength));
}

WCHAR CString::operator[](int nIndex) const {
    return nIndex >= 0 && nIndex < GetLength() ? m_str[std::size_t(nIndex)] : WCHAR(0);
}

CString& CString::operator=(LPCWSTR psz) {
    m_str = std::u16string(View(psz));  // psz may point into m_str
    return *this;
}

CString& CString::operator+=(const CString& s) {
    m_str += s.m_str;
    return *this;
}

CString& CString::operator+=(LPCWSTR psz) {
    m_str += std::u16string(View(psz));
    return *this;
}

CString& CString::operator+=(WCHAR ch) {
    m_str += ch;
    return *this;
}

CString operator+(const CString& a, const CString& b) { return CString(a.m_str + b.m_str); }
CString operator+(const CString& a, LPCWSTR b) { return CString(a.m_str + std::u16string(View(b))); }
CString operator+(LPCWSTR a, const CString& b) { return CString(std::u16string(View(a)) + b.m_str); }
CString operator+(const CString& a, WCHAR b) { return CString(a.m_str + b); }
CString operator+(WCHAR a, const CString& b) { return CString(a + b.m_str); }

int CString::Compare(LPCWSTR psz) const {
    const int r = std::u16string_view(m_str).compare(View(psz));
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(LPCWSTR psz) const {
    const std::u16string_view a(m_str), b = View(psz);
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const char32_t ca = QChar::toCaseFolded(NextCodePoint(a, i));
        const char32_t cb = QChar::toCaseFolded(NextCodePoint(b, j));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

CString& CString::MakeUpper() {
    // Registry text is mostly ASCII, which needs no table look-up.
    MapCase(m_str, [](char32_t c) {
        if (c < 0x80) return (c >= U'a' && c <= U'z') ? char32_t(c - 32) : c;
        return char32_t(QChar::toUpper(c));
    });
    return *this;
}

int CString::Find(WCHAR ch, int nStart) const {
    if (nStart < 0) nStart = 0;
    if (nStart > GetLength()) return -1;
    const auto pos = m_str.find(ch, std::size_t(nStart));
    return pos == std::u16string::npos ? -1 : int(pos);
}

int CString::Find(LPCWSTR pszSub, int nStart) const {
    if (nStart < 0) nStart = 0;
    if (nStart > GetLength()) return -1;
    const auto pos = m_str.find(View(pszSub), std::size_t(nStart));
    return pos == std::u16string::npos ? -1 : int(pos);
}

void CString::Truncate(int nNewLength) {
    m_str.resize(std::size_t(std::clamp(nNewLength, 0, GetLength())));
}

CString CString::Left(int nCount) const {
    nCount = std::clamp(nCount, 0, GetLength());
    return CString(m_str.substr(0, std::size_t(nCount)));
}

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength()); }

CString CString::Mid(int nFirst, int nCount) const {
    nFirst = std::clamp(nFirst, 0, GetLength());
    nCount = std::clamp(nCount, 0, GetLength() - nFirst);
    return CString(m_str.substr(std::size_t(nFirst), std::size_t(nCount)));
}

void CString::FormatArgs(LPCWSTR pszFormat, std::initializer_list<AfxFormatArg> args) {
    const std::u16string_view fmt = View(pszFormat);
    auto next = args.begin();
    std::u16string out;
    std::size_t i = 0;
    while (i < fmt.size()) {
        const char16_t c = fmt[i++];
        if (c != u'%') {
            out += c;
            continue;
        }
        const std::size_t specStart = i - 1;
        bool left = false, zero = false;
        for (; i < fmt.size() && (fmt[i] == u'-' || fmt[i] == u'0'); ++i) (fmt[i] == u'-' ? left : zero) = true;
        int width = 0;
        for (; i < fmt.size() && fmt[i] >= u'0' && fmt[i] <= u'9'; ++i) width = width * 10 + (fmt[i] - u'0');
        const char16_t conv = i < fmt.size() ? fmt[i++] : u'\0';
        if (conv == u'%') {
            out += u'%';
            continue;
        }
        if (conv != u'd' && conv != u'u' && conv != u'x' && conv != u'X') {
            out.append(fmt.substr(specStart, i - specStart));
            continue;
        }
        const std::uint32_t bits = next != args.end() ? (next++)->Bits() : 0;
        const bool negative = conv == u'd' && std::int32_t(bits) < 0;
        const std::uint32_t magnitude = negative ? 0u - bits : bits;
        const unsigned base = conv == u'd' || conv == u'u' ? 10 : 16;
        Pad(out, negative ? u"-" : u"", Digits(magnitude, base, conv == u'X'), width, left, zero);
    }
    m_str = std::move(out);
}

QString CString::ToQString() const {
    return QString(reinterpret_cast<const QChar*>(m_str.data()), qsizetype(m_str.size()));
}

CString CString::FromQString(const QString& s) {
    return CString(std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), std::size_t(s.size())));
}
