#include "framework/CString.h"

#include <QChar>
#include <QString>
#include <algorithm>

#include "framework/AfxResources.h"

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

struct Spec {
    bool left = false, plus = false, space = false, zero = false, alt = false;
    int width = 0;
    int precision = -1;
    bool wide64 = false;
};

void Pad(std::u16string& out, std::u16string body, const Spec& spec, std::u16string_view prefix) {
    const int total = int(body.size() + prefix.size());
    const int fill = std::max(0, spec.width - total);
    if (spec.left) {
        out.append(prefix).append(body).append(std::size_t(fill), u' ');
    } else if (spec.zero) {
        out.append(prefix).append(std::size_t(fill), u'0').append(body);
    } else {
        out.append(std::size_t(fill), u' ').append(prefix).append(body);
    }
}

std::u16string Digits(std::uint64_t value, unsigned base, bool upper, int precision) {
    std::u16string digits;
    const char* set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    while (value) {
        digits.insert(digits.begin(), char16_t(set[value % base]));
        value /= base;
    }
    if (precision < 0 && digits.empty()) digits = u"0";
    if (precision > int(digits.size())) digits.insert(0, std::size_t(precision) - digits.size(), u'0');
    return digits;
}

}  // namespace

std::int64_t AfxFormatArg::AsSigned() const {
    switch (m_kind) {
        case Kind::Signed: return m_signed;
        case Kind::Unsigned: return std::int64_t(m_unsigned);
        case Kind::Text: return 0;
    }
    return 0;
}

std::uint64_t AfxFormatArg::AsUnsigned() const {
    switch (m_kind) {
        case Kind::Signed: return std::uint64_t(m_signed);
        case Kind::Unsigned: return m_unsigned;
        case Kind::Text: return 0;
    }
    return 0;
}

CString::CString(LPCWSTR psz) : m_str(View(psz)) {}

CString::CString(LPCWSTR pch, int nLength) {
    if (pch && nLength > 0) m_str.assign(pch, std::size_t(nLength));
}

CString::CString(WCHAR ch, int nRepeat) {
    if (nRepeat > 0) m_str.assign(std::size_t(nRepeat), ch);
}

WCHAR CString::GetAt(int nIndex) const {
    return nIndex >= 0 && nIndex < GetLength() ? m_str[std::size_t(nIndex)] : WCHAR(0);
}

void CString::SetAt(int nIndex, WCHAR ch) {
    if (nIndex >= 0 && nIndex < GetLength()) m_str[std::size_t(nIndex)] = ch;
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
    MapCase(m_str, [](char32_t c) { return QChar::toUpper(c); });
    return *this;
}

CString& CString::MakeLower() {
    MapCase(m_str, [](char32_t c) { return QChar::toLower(c); });
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

CString CString::Right(int nCount) const {
    nCount = std::clamp(nCount, 0, GetLength());
    return CString(m_str.substr(m_str.size() - std::size_t(nCount)));
}

void CString::FormatArgs(LPCWSTR pszFormat, std::initializer_list<AfxFormatArg> args) {
    const std::u16string_view fmt = View(pszFormat);
    auto next = args.begin();
    auto take = [&]() -> const AfxFormatArg* { return next != args.end() ? &*next++ : nullptr; };
    std::u16string out;
    std::size_t i = 0;
    while (i < fmt.size()) {
        const char16_t c = fmt[i++];
        if (c != u'%' || i >= fmt.size()) {
            out += c;
            continue;
        }
        const std::size_t specStart = i - 1;
        Spec spec;
        for (; i < fmt.size(); ++i) {
            const char16_t f = fmt[i];
            if (f == u'-') spec.left = true;
            else if (f == u'+') spec.plus = true;
            else if (f == u' ') spec.space = true;
            else if (f == u'0') spec.zero = true;
            else if (f == u'#') spec.alt = true;
            else break;
        }
        auto number = [&](int& target) {
            if (i < fmt.size() && fmt[i] == u'*') {
                ++i;
                const AfxFormatArg* a = take();
                target = a ? int(a->AsSigned()) : 0;
                return;
            }
            target = 0;
            while (i < fmt.size() && fmt[i] >= u'0' && fmt[i] <= u'9') target = target * 10 + (fmt[i++] - u'0');
        };
        number(spec.width);
        if (spec.width < 0) {
            spec.left = true;
            spec.width = -spec.width;
        }
        if (i < fmt.size() && fmt[i] == u'.') {
            ++i;
            number(spec.precision);
        }
        while (i < fmt.size()) {
            if (fmt.substr(i, 3) == u"I64") {
                spec.wide64 = true;
                i += 3;
            } else if (fmt.substr(i, 3) == u"I32") {
                i += 3;
            } else if (fmt.substr(i, 2) == u"ll") {
                spec.wide64 = true;
                i += 2;
            } else if (fmt[i] == u'l' || fmt[i] == u'h' || fmt[i] == u'w') {
                ++i;
            } else {
                break;
            }
        }
        if (i >= fmt.size()) {
            out.append(fmt.substr(specStart));
            break;
        }
        const char16_t conv = fmt[i++];
        switch (conv) {
            case u'%': out += u'%'; break;
            case u'd':
            case u'i': {
                const AfxFormatArg* a = take();
                std::int64_t v = a ? a->AsSigned() : 0;
                if (!spec.wide64) v = std::int32_t(std::uint32_t(std::uint64_t(v)));
                const std::uint64_t magnitude = v < 0 ? 0 - std::uint64_t(v) : std::uint64_t(v);
                const std::u16string_view sign = v < 0 ? u"-" : (spec.plus ? u"+" : (spec.space ? u" " : u""));
                if (spec.precision >= 0) spec.zero = false;
                Pad(out, Digits(magnitude, 10, false, spec.precision), spec, sign);
                break;
            }
            case u'u':
            case u'x':
            case u'X':
            case u'o': {
                const AfxFormatArg* a = take();
                std::uint64_t v = a ? a->AsUnsigned() : 0;
                if (!spec.wide64) v = std::uint32_t(v);
                const unsigned base = conv == u'u' ? 10 : (conv == u'o' ? 8 : 16);
                std::u16string_view prefix;
                if (spec.alt && v != 0 && base == 16) prefix = conv == u'X' ? u"0X" : u"0x";
                if (spec.precision >= 0) spec.zero = false;
                Pad(out, Digits(v, base, conv == u'X', spec.precision), spec, prefix);
                break;
            }
            case u'c':
            case u'C': {
                const AfxFormatArg* a = take();
                spec.zero = false;
                Pad(out, std::u16string(1, char16_t(a ? a->AsUnsigned() : 0)), spec, u"");
                break;
            }
            case u's':
            case u'S': {
                const AfxFormatArg* a = take();
                LPCWSTR text = a ? a->AsText() : nullptr;
                std::u16string body(text ? View(text) : std::u16string_view(u"(null)"));
                if (spec.precision >= 0 && std::size_t(spec.precision) < body.size())
                    body.resize(std::size_t(spec.precision));
                spec.zero = false;
                Pad(out, body, spec, u"");
                break;
            }
            default: out.append(fmt.substr(specStart, i - specStart)); break;
        }
    }
    m_str = std::move(out);
}

BOOL CString::LoadString(UINT nID) {
    LPCWSTR text = AfxResources::FindString(nID);
    if (!text) return FALSE;
    m_str = text;
    return TRUE;
}

LPWSTR CString::GetBuffer(int nMinBufLength) {
    const std::size_t length = std::max<std::size_t>(std::size_t(std::max(nMinBufLength, 0)), m_str.size());
    m_str.resize(length + 1);  // room for the caller's terminator
    return m_str.data();
}

void CString::ReleaseBuffer(int nNewLength) {
    if (nNewLength < 0) {
        const auto nul = m_str.find(u'\0');
        if (nul != std::u16string::npos) m_str.resize(nul);
    } else {
        m_str.resize(std::min(std::size_t(nNewLength), m_str.size()));
    }
}

QString CString::ToQString() const {
    return QString(reinterpret_cast<const QChar*>(m_str.data()), qsizetype(m_str.size()));
}

CString CString::FromQString(const QString& s) {
    return CString(std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), std::size_t(s.size())));
}
