#pragma once
// The texts of many control items kept end to end in one buffer, each named
// by where it starts and how long it is, so that an item costs no allocation
// of its own. Released texts stay in the buffer as garbage until Clear, or
// until Compact copies the live ones into a fresh buffer.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

class AfxTextPool {
public:
    struct Ref {
        std::uint32_t begin = 0;
        std::uint32_t length = 0;
    };

    // False, changing nothing, when the buffer would outgrow 32-bit offsets.
    bool Append(std::u16string_view text, Ref* pRef);
    std::u16string_view View(Ref ref) const { return {m_chars.data() + ref.begin, ref.length}; }
    void Release(Ref ref) { m_nReleased += ref.length; }
    void Clear();

    // True once released texts fill more than half of a buffer worth
    // rewriting.
    bool IsSparse() const;
    // Keeps only the texts refs name, rewriting each ref.
    void Compact(std::span<Ref> refs);

private:
    std::vector<char16_t> m_chars;
    std::size_t m_nReleased = 0;
};
