#pragma once
// UTF-16 text value. Comparisons are ordinal on UTF-16 code units unless the
// name says otherwise; positions and lengths count code units.

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "framework/types.h"

class QString;
class CString;

// One integer argument of CString::Format. Each conversion reads the low 32
// bits of its argument, as on the platform.
class AfxFormatArg {
public:
    AfxFormatArg(int v) : m_bits(std::uint32_t(v)) {}
    AfxFormatArg(unsigned v) : m_bits(v) {}
    AfxFormatArg(unsigned char v) : m_bits(v) {}

    std::uint32_t Bits() const { return m_bits; }

private:
    std::uint32_t m_bits;
};

class CString {
public:
    CString() = default;
    CString(LPCWSTR psz);  // null gives the empty string
    CString(LPCWSTR pch, int nLength);
    CString(std::u16string s) : m_str(std::move(s)) {}
    CString(std::u16string_view s) : m_str(s) {}

    int GetLength() const { return int(m_str.size()); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }

    // NUL-terminated; valid until the string changes.
    operator LPCWSTR() const { return m_str.c_str(); }
    // NUL for an index out of range.
    WCHAR operator[](int nIndex) const;

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

    // Position of the first match at or after nStart, -1 when none.
    int Find(WCHAR ch, int nStart = 0) const;
    int Find(LPCWSTR pszSub, int nStart = 0) const;

    // The nLength characters at pch, reusing the string's room.
    void SetString(LPCWSTR pch, int nLength) { m_str.assign(pch, std::size_t(nLength)); }
    // Keeps the first nNewLength characters.
    void Truncate(int nNewLength);
    // Makes room for nLength characters, so appending up to that many
    // allocates nothing.
    void Preallocate(int nLength) { m_str.reserve(std::size_t(std::max(nLength, 0))); }
    CString Left(int nCount) const;
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;

    // printf-style for integers: %d, %u, %x, %X and %%, with the flags '-'
    // (pad on the right) and '0' (pad with zeros) and a width. Any other
    // conversion is copied as it stands.
    template <typename... Args>
    void Format(LPCWSTR pszFormat, const Args&... args) {
        FormatArgs(pszFormat, {AfxFormatArg(args)...});
    }
    void FormatArgs(LPCWSTR pszFormat, std::initializer_list<AfxFormatArg> args);


    const std::u16string& str() const { return m_str; }
    QString ToQString() const;
    static CString FromQString(const QString& s);

private:
    std::u16string m_str;
};
