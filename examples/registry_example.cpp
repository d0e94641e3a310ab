// Opens the registry the Brackwell editor shows, writes a number and reads it
// back. Build it against the installed library with CMake (CMakeLists.txt
// here) or pkg-config:
//   c++ -std=c++17 registry_example.cpp $(pkg-config --cflags --libs brackwell-registry)

#include <brackwell/default_registry_seed.h>
#include <brackwell/device_registry.h>
#include <brackwell/registry.h>

#include <cstdio>

int main() {
    using namespace brackwell::registry;
    // The seed fills the registry only if this program is the first to create it.
    const OpenResult opened =
        OpenDeviceRegistry(DefaultRegistryPath(), ReadDefaultRegistrySeed().text);
    if (!opened.ok) {
        std::fprintf(stderr, "%s\n", opened.error.c_str());
        return 1;
    }
    HKEY key = nullptr;
    LONG rc = RegCreateKeyEx(HKEY_CURRENT_USER, u"Software\\Example", 0, nullptr, 0, 0, nullptr,
                             &key, nullptr);
    const DWORD written = 42;
    if (rc == ERROR_SUCCESS) {
        rc = RegSetValueEx(key, u"Answer", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&written),
                           sizeof written);
    }
    DWORD read = 0;
    DWORD type = REG_NONE;
    DWORD size = sizeof read;
    if (rc == ERROR_SUCCESS) {
        rc = RegQueryValueEx(key, u"Answer", nullptr, &type, reinterpret_cast<BYTE*>(&read), &size);
    }
    RegCloseKey(key);
    CloseDeviceRegistry();
    if (rc != ERROR_SUCCESS || type != REG_DWORD || read != written) {
        std::fprintf(stderr, "registry call failed with error %d\n", rc);
        return 1;
    }
    std::printf("HKEY_CURRENT_USER\\Software\\Example: Answer = %u\n", read);
    return 0;
}
