#include "registry/registry_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "registry/device_registry.h"
#include "registry/store_tables.h"

namespace brackwell::registry {
namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string SystemError(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// A new file or folder survives power loss only once the folder holding its
// name is synced. Best effort, as SQLite does for its journal: a file system
// that cannot sync folders still gets the registry.
void SyncFolderHolding(const std::string& path) {
    const int fd = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

std::uint32_t BigEndian32(const unsigned char* bytes) {
    return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
           (std::uint32_t{bytes[2]} << 8) | bytes[3];
}

bool SyncFile(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = fsync(fd) == 0;
    close(fd);
    return synced;
}

// Moves from to path unless path exists (then false with errno EEXIST). A file
// system that cannot rename without replacing gets a hard link instead.
bool MoveIntoPlace(const std::string& from, const std::string& path) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    return link(from.c_str(), path.c_str()) == 0;
}

// New files are built as "<registry>-new-XXXXXX"; one left by a process killed
// while building is never used and goes the next time a registry is created.
constexpr char kNewFileInfix[] = "-new-";

// Removes what a registry that is absent or empty can only have left behind:
// files of killed creations, and SQLite's journal, log and shared memory of
// an earlier registry of that name, which SQLite would otherwise play into
// the new one as if they were its own.
void RemoveLeftovers(const std::string& path) {
    for (const char* suffix : {"-journal", "-wal", "-shm"}) unlink((path + suffix).c_str());
    const std::string prefix = path.substr(path.rfind('/') + 1) + kNewFileInfix;
    DIR* dir = opendir(FolderOf(path).c_str());
    if (!dir) return;
    while (const dirent* entry = readdir(dir)) {
        if (std::strncmp(entry->d_name, prefix.c_str(), prefix.size()) == 0) {
            unlinkat(dirfd(dir), entry->d_name, 0);
        }
    }
    closedir(dir);
}

}  // namespace

bool MakeParentFolders(const std::string& path, std::string* error) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string folder = path.substr(0, slash);
        if (mkdir(folder.c_str(), 0700) == 0) {
            SyncFolderHolding(folder);
        } else if (errno != EEXIST) {
            *error = SystemError("cannot create the folder " + folder);
            return false;
        }
    }
    return true;
}

std::string DefaultRegistryPath() {
    if (std::string path = Env("BRACKWELL_REGISTRY"); !path.empty()) return path;
    std::string data = Env("XDG_DATA_HOME");
    if (data.empty() || data.front() != '/') {
        std::string home = Env("HOME");
        if (home.empty()) {
            if (const passwd* user = getpwuid(getuid())) home = user->pw_dir;
        }
        data = home + "/.local/share";
    }
    return data + "/brackwell/registry.sqlite3";
}

FileCheck InspectRegistryFile(const std::string& path) {
    if (path.empty()) return {FileState::Unusable, "no file name was given"};
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        if (errno == ENOENT) return {FileState::Absent, {}};
        return {FileState::Unusable, SystemError("it cannot be read")};
    }
    if (!S_ISREG(status.st_mode)) return {FileState::Unusable, "it is not a regular file"};
    return {status.st_size == 0 ? FileState::Empty : FileState::Present, {}};
}

std::string CreateRegistryFile(
    const std::string& path, const std::function<std::string(const std::string& newFile)>& build) {
    std::string error;
    if (!MakeParentFolders(path, &error)) return error;
    FileCheck existing = InspectRegistryFile(path);
    if (existing.state == FileState::Present) return {};  // made by another process meanwhile
    if (existing.state == FileState::Unusable) return existing.error;
    RemoveLeftovers(path);

    std::string newFile = path + kNewFileInfix + "XXXXXX";
    const int fd = mkostemp(newFile.data(), O_CLOEXEC);
    if (fd < 0) return SystemError("cannot create a file beside it");
    fchmod(fd, 0600);
    close(fd);
    error = build(newFile);
    if (error.empty() && !SyncFile(newFile)) error = SystemError("cannot write it to disk");
    if (error.empty()) {
        // Only an empty file may be replaced: it holds nothing to lose. A
        // symbolic link stays, as does a file that got content meanwhile.
        struct stat status {};
        const bool replaceEmpty =
            lstat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) && status.st_size == 0;
        if (replaceEmpty ? rename(newFile.c_str(), path.c_str()) != 0
                         : !MoveIntoPlace(newFile, path)) {
            error = errno == EEXIST ? std::string() : SystemError("cannot put it in place");
        }
    }
    unlink(newFile.c_str());  // gone already once it is in place
    if (error.empty()) SyncFolderHolding(path);
    return error;
}

RegistryHeader ReadRegistryHeader(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {SystemError("it cannot be read"), {}};
    std::array<unsigned char, 100> header{};
    const ssize_t size = pread(fd, header.data(), header.size(), 0);
    close(fd);
    static const char kMagic[] = "SQLite format 3";  // with its NUL: 16 bytes
    if (size != static_cast<ssize_t>(header.size()) ||
        std::memcmp(header.data(), kMagic, sizeof kMagic) != 0) {
        return {{}, "it is not an SQLite database"};
    }
    return {{},
            SchemaProblem(BigEndian32(&header[68]), BigEndian32(&header[60])),
            header[18] == 2 || header[19] == 2};
}

bool SideFileHoldsData(const std::string& path, const char* suffix) {
    struct stat status {};
    return stat((path + suffix).c_str(), &status) == 0 && status.st_size > 0;
}

}  // namespace brackwell::registry
