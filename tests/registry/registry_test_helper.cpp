// A second process for the store's tests, started with posix_spawn so no
// SQLite connection ever crosses a fork.
//   set PATH KEY NAME TEXT       set a string value, print "set", and keep the
//                                registry open until stdin closes; exit 0 on success
//   fill PATH KEY PREFIX COUNT   set COUNT values PREFIX0.. one write each
//   delete PATH KEY              delete a key
//   hold PATH                    lock the file for writing through SQLite, as a
//                                program that does not know the registry lock
//                                would, print "locked", and keep the lock until
//                                stdin closes
//   hold-lock PATH [MS]          take the registry lock as a Brackwell process
//                                does for a write, print "locked", and keep it
//                                until stdin closes or for MS milliseconds
//   create PATH SEED.reg         open the registry, creating it from the seed
//                                when absent, and print "created"

#include <sqlite3.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "registry/device_registry.h"
#include "registry/registry.h"
#include "registry/registry_lock.h"

namespace {

std::u16string Widen(const std::string& text) { return {text.begin(), text.end()}; }

bool SetString(HKEY key, const std::u16string& name, const std::u16string& text) {
    return RegSetValueEx(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>((text.size() + 1) * 2)) == ERROR_SUCCESS;
}

void WaitForInputToClose() {
    char buffer[16];
    while (read(STDIN_FILENO, buffer, sizeof buffer) > 0) {
    }
}

int Hold(const char* path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path, &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
        sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) != SQLITE_OK) {
        return 1;
    }
    std::puts("locked");
    std::fflush(stdout);
    WaitForInputToClose();
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return 0;
}

int HoldRegistryLock(const char* path, const char* milliseconds) {
    using brackwell::registry::RegistryLock;
    RegistryLock lock = RegistryLock::Open(path, true);
    if (!lock.Acquire(brackwell::registry::LockMode::Exclusive,
                      brackwell::registry::LockClock::now() + std::chrono::minutes(1))) {
        return 1;
    }
    std::puts("locked");
    std::fflush(stdout);
    if (milliseconds) {
        std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(milliseconds)));
    } else {
        WaitForInputToClose();
    }
    lock.Release();
    return 0;
}

int Create(const char* path, const char* seedFile) {
    std::ifstream in(seedFile, std::ios::binary);
    const std::string seed((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!brackwell::registry::OpenDeviceRegistry(path, seed).ok) return 3;
    std::puts("created");
    std::fflush(stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 2 ? argv[1] : "";
    if (command == "hold") return Hold(argv[2]);
    if (command == "hold-lock") return HoldRegistryLock(argv[2], argc > 3 ? argv[3] : nullptr);
    if (command == "create" && argc == 4) return Create(argv[2], argv[3]);
    const bool known = (argc == 6 && (command == "set" || command == "fill")) ||
                       (argc == 4 && command == "delete");
    if (!known) return 2;
    if (!brackwell::registry::OpenDeviceRegistry(argv[2]).ok) return 3;
    if (command == "delete") {
        return RegDeleteKey(HKEY_CURRENT_USER, Widen(argv[3]).c_str()) == ERROR_SUCCESS ? 0 : 5;
    }
    HKEY key = nullptr;
    if (RegCreateKeyEx(HKEY_CURRENT_USER, Widen(argv[3]).c_str(), 0, nullptr, 0, 0, nullptr, &key,
                       nullptr) != ERROR_SUCCESS) {
        return 4;
    }
    bool ok = true;
    if (command == "set") {
        ok = SetString(key, Widen(argv[4]), Widen(argv[5]));
        if (ok) {
            std::puts("set");
            std::fflush(stdout);
            WaitForInputToClose();
        }
    } else {
        const int count = std::atoi(argv[5]);
        for (int i = 0; ok && i < count; ++i) {
            ok = SetString(key, Widen(argv[4] + std::to_string(i)), u"x");
        }
    }
    RegCloseKey(key);
    return ok ? 0 : 5;
}
