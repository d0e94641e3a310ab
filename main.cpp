// Placeholder until the main window exists: opens the device registry and prints
// the four roots with the number of keys below each.
#include <cstdio>
#include <string>

#include "registry/device_registry.h"
#include "registry/registry.h"
#include "resources/default_registry.h"

namespace {

long CountKeys(HKEY root, const std::u16string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyEx(root, path.c_str(), 0, 0, &key) != ERROR_SUCCESS) return 0;
    long count = 0;
    for (DWORD i = 0;; ++i) {
        WCHAR name[1024];
        DWORD length = 1024;
        if (RegEnumKeyEx(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        count += 1 + CountKeys(root, path + u"\\" + std::u16string(name, length));
    }
    RegCloseKey(key);
    return count;
}

}  // namespace

int main() {
    using namespace brackwell;
    const std::string path = registry::DefaultRegistryPath();
    const registry::OpenResult opened =
        registry::OpenDeviceRegistry(path, resources::DefaultRegistryText());
    if (!opened.ok) {
        std::fprintf(stderr, "brackwell: %s\n", opened.error.c_str());
        return 1;
    }
    std::printf("Registry: %s\n", path.c_str());
    const struct {
        HKEY key;
        const char* name;
    } roots[] = {{HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},
                 {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
                 {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"},
                 {HKEY_USERS, "HKEY_USERS"}};
    for (const auto& root : roots) std::printf("%-20s %ld keys\n", root.name, CountKeys(root.key, u""));
    registry::CloseDeviceRegistry();
    return 0;
}
