#include "registry/key_path.h"

namespace brackwell::registry {

std::u16string_view TextOf(LPCWSTR text) {
    return text ? std::u16string_view(text) : std::u16string_view();
}

std::vector<std::u16string_view> SplitKeyPath(std::u16string_view path) {
    std::vector<std::u16string_view> names;
    names.reserve(16);  // deeper paths are rare
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(u'\\', start);
        if (end == std::u16string_view::npos) end = path.size();
        if (end > start) names.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

void SplitKeyPath(LPCWSTR path, std::vector<std::u16string_view>* names) {
    names->clear();
    if (!path) return;
    const char16_t* start = path;
    for (const char16_t* at = path;; ++at) {
        if (*at != u'\\' && *at != u'\0') continue;
        if (at > start) names->emplace_back(start, static_cast<std::size_t>(at - start));
        if (*at == u'\0') return;
        start = at + 1;
    }
}

}  // namespace brackwell::registry
