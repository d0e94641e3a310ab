#include "tests/document/temporary_registry.h"

#include <stdlib.h>

#include <filesystem>

#include "registry/device_registry.h"

namespace brackwell::testing {

TemporaryRegistry::TemporaryRegistry(std::string_view regText) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "brackwell-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        error_ = "cannot make a temporary folder";
        return;
    }
    folder_ = pattern;
    const registry::OpenResult opened =
        registry::OpenDeviceRegistry(path(), regText);
    if (!opened.ok) error_ = opened.error.empty() ? "cannot open the registry" : opened.error;
}

TemporaryRegistry::~TemporaryRegistry() {
    registry::CloseDeviceRegistry();
    std::error_code ignored;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
}

std::vector<BYTE> Utf16(std::u16string_view text) {
    std::vector<BYTE> bytes;
    for (char16_t ch : text) {
        bytes.push_back(BYTE(ch & 0xFF));
        bytes.push_back(BYTE(ch >> 8));
    }
    return bytes;
}

std::optional<StoredValue> ReadStoredValue(HKEY root, std::u16string_view path,
                                           std::u16string_view name) {
    const std::u16string keyPath(path), valueName(name);
    HKEY key = nullptr;
    if (RegOpenKeyEx(root, keyPath.c_str(), 0, 0, &key) != ERROR_SUCCESS) return std::nullopt;
    StoredValue value;
    DWORD size = 0;
    bool found = RegQueryValueEx(key, valueName.c_str(), nullptr, nullptr, nullptr, &size) ==
                 ERROR_SUCCESS;
    if (found) {
        value.data.resize(size);
        found = RegQueryValueEx(key, valueName.c_str(), nullptr, &value.type,
                                size ? value.data.data() : nullptr, &size) == ERROR_SUCCESS;
    }
    RegCloseKey(key);
    if (!found) return std::nullopt;
    return value;
}

std::vector<std::u16string> StoredValueNames(HKEY root, std::u16string_view path) {
    const std::u16string keyPath(path);
    std::vector<std::u16string> names;
    HKEY key = nullptr;
    if (RegOpenKeyEx(root, keyPath.c_str(), 0, 0, &key) != ERROR_SUCCESS) return names;
    for (DWORD index = 0;; ++index) {
        WCHAR name[1024];
        DWORD length = 1024;
        if (RegEnumValue(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    RegCloseKey(key);
    return names;
}

}  // namespace brackwell::testing
