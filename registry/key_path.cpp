#include "registry/key_path.h"

namespace brackwell::registry {

std::u16string_view TextOf(LPCWSTR text) {
    return text ? std::u16string_view(text) : std::u16string_view();
}

namespace {

constexpr std::size_t kUpToNul = std::u16string_view::npos;

// Splits the length characters at text, or those up to its NUL when length
// is kUpToNul, in one pass that also finds where the text ends.
void SplitNames(const char16_t* text, std::size_t length,
                std::vector<std::u16string_view>* names) {
    names->clear();
    std::size_t start = 0;
    for (std::size_t at = 0;; ++at) {
        const bool end = length == kUpToNul ? text[at] == u'\0' : at == length;
        if (!end && text[at] != u'\\') continue;
        if (at > start) names->emplace_back(text + start, at - start);
        if (end) return;
        start = at + 1;
    }
}

}  // namespace

std::vector<std::u16string_view> SplitKeyPath(std::u16string_view path) {
    std::vector<std::u16string_view> names;
    names.reserve(16);  // deeper paths are rare
    SplitNames(path.data(), path.size(), &names);
    return names;
}

void SplitKeyPath(LPCWSTR path, std::vector<std::u16string_view>* names) {
    if (path) {
        SplitNames(path, kUpToNul, names);
    } else {
        names->clear();
    }
}

}  // namespace brackwell::registry
