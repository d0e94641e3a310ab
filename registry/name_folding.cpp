#include "registry/name_folding.h"

#include <locale.h>
#include <wctype.h>

namespace brackwell::registry {
namespace {

locale_t CaseLocale() {
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    return locale;
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Reads the code point at name[i] and advances i; an unpaired surrogate stands for itself.
char32_t NextCodePoint(std::u16string_view name, std::size_t& i) {
    const char16_t unit = name[i++];
    if (IsHighSurrogate(unit) && i < name.size() && IsLowSurrogate(name[i])) {
        const char16_t low = name[i++];
        return 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(low) - 0xDC00);
    }
    return unit;
}

char32_t Upper(char32_t c) {
    if (c < 0x80) return (c >= 'a' && c <= 'z') ? c - 32 : c;
    const locale_t locale = CaseLocale();
    return locale ? static_cast<char32_t>(towupper_l(static_cast<wint_t>(c), locale)) : c;
}

void Append(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out.push_back(static_cast<char16_t>(c));
    } else {
        c -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    }
}

}  // namespace

bool NameFoldingAvailable() { return CaseLocale() != locale_t{}; }

std::u16string FoldName(std::u16string_view name) {
    std::u16string folded;
    folded.reserve(name.size());
    for (std::size_t i = 0; i < name.size();) Append(folded, Upper(NextCodePoint(name, i)));
    return folded;
}

std::uint32_t FoldedNameHash(std::u16string_view name) {
    std::uint32_t hash = 2166136261u;  // FNV-1a over the folded code points
    for (std::size_t i = 0; i < name.size();) {
        hash ^= static_cast<std::uint32_t>(Upper(NextCodePoint(name, i)));
        hash *= 16777619u;
    }
    return hash;
}

bool NamesEqual(std::u16string_view a, std::u16string_view b) {
    if (a == b) return true;
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (Upper(NextCodePoint(a, i)) != Upper(NextCodePoint(b, j))) return false;
    }
    return i == a.size() && j == b.size();
}

}  // namespace brackwell::registry
