#include "registry/registry_file.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
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

std::string SystemError(const std::string& what) { return what + ": " + std::strerror(errno); }

// A new file or folder survives power loss only once the folder holding its
// name is synced. Best effort, as SQLite does for its journal: a file system
// that cannot sync folders still gets the registry.
void SyncFolderHolding(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// mkdir -p for the folder holding path; folders made here are private (0700).
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

std::uint32_t BigEndian32(const unsigned char* bytes) {
    return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
           (std::uint32_t{bytes[2]} << 8) | bytes[3];
}

}  // namespace

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

PreparedFile PrepareRegistryFile(const std::string& path) {
    PreparedFile result;
    if (path.empty()) {
        result.error = "no file name was given";
        return result;
    }
    if (!MakeParentFolders(path, &result.error)) return result;
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd >= 0) {
        fchmod(fd, 0600);  // exactly 0600 whatever the umask
        close(fd);
        SyncFolderHolding(path);
    } else if (errno != EEXIST) {
        result.error = SystemError("cannot create the file");
        return result;
    }
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        result.error = SystemError("cannot read the file");
        return result;
    }
    if (!S_ISREG(status.st_mode)) {
        result.error = "it is not a regular file";
        return result;
    }
    result.ok = true;
    result.empty = status.st_size == 0;
    return result;
}

std::string CheckRegistryHeader(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return SystemError("it cannot be read");
    std::array<unsigned char, 100> header{};
    const ssize_t size = pread(fd, header.data(), header.size(), 0);
    close(fd);
    static const char kMagic[] = "SQLite format 3";  // with its NUL: 16 bytes
    if (size != static_cast<ssize_t>(header.size()) ||
        std::memcmp(header.data(), kMagic, sizeof kMagic) != 0) {
        return "it is not an SQLite database";
    }
    return SchemaProblem(BigEndian32(&header[68]), BigEndian32(&header[60]));
}

}  // namespace brackwell::registry
