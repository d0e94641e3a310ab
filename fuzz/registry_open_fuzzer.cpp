// Any bytes as a registry file. Opened for reading only, the file must stay
// byte for byte as it was, whatever is read and whatever write is tried.
// Opened for writing, a file the store cannot trust must be refused and left
// as it was; a file it accepts must then be read whole through the ten calls,
// and written to, without a crash or a sanitizer report (calls may still fail
// cleanly on a damaged file, but not on one the full check passes).

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz/scratch_registry.h"
#include "registry/device_registry.h"

namespace {

using namespace brackwell;

void WriteFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) fuzz::Fail("cannot write " + path);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Creates a key, sets, reads and deletes a value, and deletes the key.
void WriteSomething() {
    HKEY key = nullptr;
    if (RegCreateKeyEx(HKEY_CURRENT_USER, u"Fuzz\\Written", 0, nullptr, 0, 0, nullptr, &key,
                       nullptr) != ERROR_SUCCESS) {
        return;
    }
    const BYTE bytes[] = {1, 2, 3, 4};
    RegSetValueEx(key, u"v", 0, REG_BINARY, bytes, sizeof bytes);
    BYTE read[8];
    DWORD size = sizeof read;
    RegQueryValueEx(key, u"v", nullptr, nullptr, read, &size);
    RegDeleteValue(key, u"v");
    RegCloseKey(key);
    RegDeleteKey(HKEY_CURRENT_USER, u"Fuzz");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An empty file is a new registry, which is no damage to look for.
    if (size == 0) return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string& path = fuzz::ScratchRegistryPath();
    registry::CloseDeviceRegistry();
    std::error_code ignored;
    std::filesystem::remove(path + "-journal", ignored);
    WriteFile(path, bytes);

    if (registry::OpenDeviceRegistryReadOnly(path).ok) {
        fuzz::RegistryTree tree;
        fuzz::ReadRegistry(&tree);
        const BYTE byte = 1;
        if (RegSetValueEx(HKEY_CURRENT_USER, u"Fuzz", 0, REG_BINARY, &byte, 1) == ERROR_SUCCESS) {
            fuzz::Fail("a registry opened for reading only took a write");
        }
        WriteSomething();
        registry::CloseDeviceRegistry();
    }
    if (ReadFile(path) != bytes) fuzz::Fail("opening for reading only changed the file");

    const registry::OpenResult opened = registry::OpenDeviceRegistry(path);
    if (!opened.ok) {
        if (ReadFile(path) != bytes) fuzz::Fail("a refused file was changed: " + opened.error);
        return 0;
    }
    const registry::OpenResult checked = registry::CheckDeviceRegistry();
    fuzz::RegistryTree tree;
    const LONG read = fuzz::ReadRegistry(&tree);
    if (checked.ok && read != ERROR_SUCCESS) {
        fuzz::Fail("check passed a registry that cannot be read whole: error " +
                   std::to_string(read));
    }
    WriteSomething();
    fuzz::ReadRegistry(&tree);
    registry::CloseDeviceRegistry();
    return 0;
}
