#pragma once
// Which file the ten registry calls work on. A program opens one registry file
// (usually DefaultRegistryPath(), the one the editor shows) before its first
// call and closes it at the end. Every process that opens the same file shares
// it safely with the others. The calls and these functions are meant for one
// thread.

#include <chrono>
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
// The new file appears under its name only once complete: a crash while it is made
// leaves no registry, never half of one.
// A file that is not a registry of ours is refused and left untouched. A file of ours
// in another journal mode is switched to the store's own.
OpenResult OpenDeviceRegistry(const std::string& path, std::string_view seedRegText = {});

// Opens an existing registry file for reading only: it is never created, seeded,
// converted or changed in any byte, and every call that would write fails with
// ERROR_ACCESS_DENIED.
OpenResult OpenDeviceRegistryReadOnly(const std::string& path);

// Checks the open registry through and through: every index against its table
// (SQLite's integrity check, about 2.5 s for 700,000 keys) and every value row.
// The open itself checks less, for speed; a writing session runs the index check
// before its first write.
OpenResult CheckDeviceRegistry();

// Closes the open registry; every handle then fails as invalid.
void CloseDeviceRegistry();

// How long a call waits for the registry while another process holds it (while
// that process writes) before it fails with ERROR_BUSY, changing nothing; the
// opening waits the same. Waiters are served in turn. Sixty seconds by default:
// an ordinary write holds the registry for milliseconds and importing even a
// 700,000-key registry in one transaction for about 25 s, so a lock held past
// a minute belongs to a process that is stuck (stopped, in a debugger), and
// waiting longer would only freeze the waiting program with it.
inline constexpr std::chrono::milliseconds kDefaultRegistryLockWait{60000};
void SetRegistryLockWait(std::chrono::milliseconds wait);

}  // namespace brackwell::registry
