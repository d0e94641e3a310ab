#include "fuzz/scratch_registry.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "registry/device_registry.h"
#include "registry/registry_limits.h"

namespace brackwell::fuzz {
namespace {

namespace fs = std::filesystem;

const HKEY kRoots[] = {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS};
const char16_t* const kRootNames[] = {u"HKEY_CLASSES_ROOT", u"HKEY_CURRENT_USER",
                                      u"HKEY_LOCAL_MACHINE", u"HKEY_USERS"};

LONG ReadKey(HKEY key, KeyItem& item, std::size_t depth) {
    if (depth > registry::kMaxKeyDepth) return ERROR_REGISTRY_CORRUPT;
    DWORD subkeys = 0, values = 0, longestValueName = 0, largestData = 0;
    if (const LONG rc = RegQueryInfoKey(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                                        &values, &longestValueName, &largestData, nullptr, nullptr);
        rc != ERROR_SUCCESS) {
        return rc;
    }
    std::u16string name(registry::kMaxKeyNameLength + 1, u'\0');
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        const LONG rc =
            RegEnumKeyEx(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS) break;
        if (rc != ERROR_SUCCESS) return rc;
        KeyItem& subkey = item.subkeys.emplace_back();
        subkey.name.assign(name.data(), length);
        HKEY opened = nullptr;
        if (const LONG rc = RegOpenKeyEx(key, subkey.name.c_str(), 0, 0, &opened);
            rc != ERROR_SUCCESS) {
            return rc;
        }
        const LONG read = ReadKey(opened, subkey, depth + 1);
        if (RegCloseKey(opened) != ERROR_SUCCESS) Fail("a handle just opened does not close");
        if (read != ERROR_SUCCESS) return read;
    }
    std::u16string valueName(longestValueName + 1, u'\0');
    for (DWORD index = 0;; ++index) {
        ValueItem value;
        value.data.resize(largestData);
        DWORD length = static_cast<DWORD>(valueName.size());
        DWORD size = largestData;
        const LONG rc = RegEnumValue(key, index, valueName.data(), &length, nullptr, &value.type,
                                     value.data.data(), &size);
        if (rc == ERROR_NO_MORE_ITEMS) break;
        if (rc != ERROR_SUCCESS) return rc;
        value.name.assign(valueName.data(), length);
        value.data.resize(size);
        item.values.push_back(std::move(value));
    }
    if (item.subkeys.size() != subkeys || item.values.size() != values) {
        Fail("RegQueryInfoKey's counts differ from what enumeration gives");
    }
    return ERROR_SUCCESS;
}

struct ScratchFolder {
    std::string folder;
    ScratchFolder() {
        const char* base = fs::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
        folder = std::string(base) + "/brackwell-fuzz-XXXXXX";
        if (!mkdtemp(folder.data())) Fail("cannot make a scratch folder");
    }
    ~ScratchFolder() {
        registry::CloseDeviceRegistry();
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
};

}  // namespace

[[noreturn]] void Fail(const std::string& message) {
    std::fprintf(stderr, "fuzz check failed: %s\n", message.c_str());
    std::fflush(stderr);
    abort();
}

const std::string& ScratchRegistryPath() {
    static const ScratchFolder scratch;
    static const std::string path = scratch.folder + "/registry.sqlite3";
    return path;
}

void OpenFreshRegistry(std::string_view seedRegText) {
    registry::CloseDeviceRegistry();
    const std::string& path = ScratchRegistryPath();
    std::error_code ignored;
    fs::remove(path, ignored);
    fs::remove(path + "-journal", ignored);
    const registry::OpenResult opened = registry::OpenDeviceRegistry(path, seedRegText);
    if (!opened.ok) Fail("a fresh registry does not open: " + opened.error);
}

LONG ReadRegistry(RegistryTree* tree) {
    tree->clear();
    for (std::size_t i = 0; i < std::size(kRoots); ++i) {
        KeyItem& root = tree->emplace_back();
        root.name = kRootNames[i];
        if (const LONG rc = ReadKey(kRoots[i], root, 0); rc != ERROR_SUCCESS) return rc;
    }
    return ERROR_SUCCESS;
}

}  // namespace brackwell::fuzz
