#pragma once
// UTF-16 text value. Comparisons are ordinal on UTF-16 code units unless the
// name says otherwise; positions and lengths count code units.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "framework/types.h"

class QString;
class CString;

// One argument of CString::Format; built implicitly from the argument types
// printf-style formats take.
class AfxFormatArg {
public:
    enum class Kind { Signed, Unsigned, Text };

    AfxFormatArg(int v) : m_kind(Kind::Signed), m_signed(v) {}
    AfxFormatArg(long v) : m_kind(Kind::Signed), m_signed(v) {}
    AfxFormatArg(long long v) : m_kind(Kind::Signed), m_signed(v) {}
    AfxFormatArg(short v) : m_kind(Kind::Signed), m_signed(v) {}
    AfxFormatArg(signed char v) : m_kind(Kind::Signed), m_signed(v) {}
    AfxFormatArg(unsigned v) : m_kind(Kind::Unsigned), m_unsigned(v) {}
    AfxFormatArg(unsigned long v) : m_kind(Kind::Unsigned), m_unsigned(v) {}
    AfxFormatArg(unsigned long long v) : m_kind(Kind::Unsigned), m_unsigned(v) {}
    AfxFormatArg(unsigned short v) : m_kind(Kind::Unsigned), m_unsigned(v) {}
    AfxFormatArg(unsigned char v) : m_kind(Kind::Unsigned), m_unsigned(v) {}
    AfxFormatArg(char16_t v) : m_kind(Kind::Unsigned), m_unsigned(v) {}
    AfxFormatArg(LPCWSTR v) : m_kind(Kind::Text), m_text(v) {}
    AfxFormatArg(const CString& v);

    Kind kind() const { return m_kind; }
    std::int64_t AsSigned() const;
    std::uint64_t AsUnsigned() const;
    LPCWSTR AsText() const { return m_kind == Kind::Text ? m_text : nullptr; }

private:
    Kind m_kind;
    union {
        std::int64_t m_signed;
        std::uint64_t m_unsigned;
        LPCWSTR m_text;
    };
};

class CString {
public:
    CString() = default;
    CString(LPCWSTR psz);  // null gives the empty string
    CString(LPCWSTR pch, int nLength);
    CString(WCHAR ch, int nRepeat = 1);
    CString(std::u16string s) : m_str(std::move(s)) {}
    CString(std::u16string_view s) : m_str(s) {}

    int GetLength() const { return int(m_str.size()); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }

    // NUL-terminated; valid until the string changes.
    operator LPCWSTR() const { return m_str.c_str(); }
    WCHAR operator[](int nIndex) const { return GetAt(nIndex); }
    WCHAR GetAt(int nIndex) const;
    void SetAt(int nIndex, WCHAR ch);

    CString& operator=(LPCWSTR psz);
    CString& operator+=(const CString& s);
    CString& operator+=(LPCWSTR psz);
    CString& operator+=(WCHAR ch);

    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, LPCWSTR b);
    friend CString operator+(LPCWSTR a, const CString& b);
    friend CString operator+(const CString& a, WCHAR b);
    friend CString operator+(WCHAR a, const CString& b);
    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, LPCWSTR b) { return a.Compare(b) == 0; }

    // Ordinal comparison: < 0, 0 or > 0.
    int Compare(LPCWSTR psz) const;
    // Ordinal comparison after simple Unicode case folding.
    int CompareNoCase(LPCWSTR psz) const;

    // Simple (one-to-one) Unicode case mapping; the length never changes.
    CString& MakeUpper();
    CString& MakeLower();

    // Position of the first match at or after nStart, -1 when none.
    int Find(WCHAR ch, int nStart = 0) const;
    int Find(LPCWSTR pszSub, int nStart = 0) const;

    CString Left(int nCount) const;
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Right(int nCount) const;

    // printf-style: %s (text), %c, %d/%i, %u, %x/%X, %%, with flags '-', '0',
    // '+', ' ', '#', a width and a precision (either may be '*'), and the
    // size prefixes h, l, ll and I64 (ignored: each argument keeps its type;
    // %d/%u/%x read 32 bits unless ll or I64 is given, as on the platform).
    template <typename... Args>
    void Format(LPCWSTR pszFormat, const Args&... args) {
        FormatArgs(pszFormat, {AfxFormatArg(args)...});
    }
    void FormatArgs(LPCWSTR pszFormat, std::initializer_list<AfxFormatArg> args);

    // Loads a string resource; FALSE (and the string unchanged) when absent.
    BOOL LoadString(UINT nID);

    // Writable buffer of at least nMinBufLength characters plus terminator;
    // ReleaseBuffer(n) fixes the length (-1: up to the first NUL).
    LPWSTR GetBuffer(int nMinBufLength);
    void ReleaseBuffer(int nNewLength = -1);

    const std::u16string& str() const { return m_str; }
    QString ToQString() const;
    static CString FromQString(const QString& s);

private:
    std::u16string m_str;
};

inline AfxFormatArg::AfxFormatArg(const CString& v) : m_kind(Kind::Text), m_text(v) {}
