#pragma once
// Which file the ten registry calls work on. The program opens the device
// registry once at start-up; tests open a fresh temporary file per fixture.

#include <string>
#include <string_view>

namespace brackwell::registry {

struct OpenResult {
    bool ok = false;
    std::string error;  // a sentence for the person, naming the file and the reason
};

// $BRACKWELL_REGISTRY if set and non-empty, else $XDG_DATA_HOME/brackwell/registry.sqlite3,
// else ~/.local/share/brackwell/registry.sqlite3.
std::string DefaultRegistryPath();

// Opens the registry file at path for the ten calls, closing any registry open before.
// An absent file is created (mode 0600, its folder 0700) and seeded by importing
// seedRegText, a .reg text; an empty seed leaves the new registry with empty roots.
// A file that is not a registry of ours is refused and left untouched.
OpenResult OpenDeviceRegistry(const std::string& path, std::string_view seedRegText = {});

// Closes the open registry; every handle then fails as invalid.
void CloseDeviceRegistry();

}  // namespace brackwell::registry
