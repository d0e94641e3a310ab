#include "registry/registry_lock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <future>
#include <memory>
#include <system_error>
#include <thread>
#include <utility>

namespace brackwell::registry {
namespace {

constexpr long kTurnstile = 0;
constexpr long kLock = 1;

struct flock Range(short type, long byte) {
    struct flock range {};
    range.l_type = type;
    range.l_whence = SEEK_SET;
    range.l_start = byte;
    range.l_len = 1;
    return range;
}

// The descriptor of the lock file and whether it was opened for writing, or
// -1 when there is none to use.
std::pair<int, bool> OpenLockFile(const std::string& path, bool create, mode_t mode) {
    if (create) {
        const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
        if (fd >= 0) {
            fchmod(fd, mode);  // exactly the registry's bits, whatever the umask
            return {fd, true};
        }
    }
    int fd = open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd >= 0) return {fd, true};
    fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    return {fd, false};
}

}  // namespace

std::string LockFilePath(const std::string& registryPath) {
    return registryPath + "-lock";
}

std::string LockTimeoutText(std::chrono::milliseconds wait) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(wait).count();
    return "another program kept it locked for more than " + std::to_string(seconds) +
           (seconds == 1 ? " second" : " seconds");
}

RegistryLock RegistryLock::Open(const std::string& registryPath, bool create) {
    struct stat status {};
    const mode_t mode = stat(registryPath.c_str(), &status) == 0 ? (status.st_mode & 0666) : 0600;
    const std::string path = LockFilePath(registryPath);
    const auto [fd, writable] = OpenLockFile(path, create, mode);
    return RegistryLock(fd, writable, path);
}

RegistryLock::~RegistryLock() {
    if (fd_ >= 0) close(fd_);
}

RegistryLock::RegistryLock(RegistryLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      writable_(other.writable_),
      path_(std::move(other.path_)) {}

RegistryLock& RegistryLock::operator=(RegistryLock&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) close(fd_);
        fd_ = std::exchange(other.fd_, -1);
        writable_ = other.writable_;
        path_ = std::move(other.path_);
    }
    return *this;
}

bool RegistryLock::Acquire(LockMode mode, LockClock::time_point deadline) {
    // A lock file we may only read cannot be locked for writing; such a writer
    // relies on SQLite's locks alone.
    if (fd_ < 0 || (mode == LockMode::Exclusive && !writable_)) return true;
    const short type = mode == LockMode::Exclusive ? F_WRLCK : F_RDLCK;
    if (!Take(type, kTurnstile, deadline)) return false;
    if (!Take(type, kLock, deadline)) return false;
    Drop(kTurnstile);
    return true;
}

void RegistryLock::Release() {
    Drop(kLock);
}

void RegistryLock::Drop(long byte) {
    if (fd_ < 0) return;
    struct flock range = Range(F_UNLCK, byte);
    fcntl(fd_, F_OFD_SETLK, &range);
}

bool RegistryLock::Take(short type, long byte, LockClock::time_point deadline) {
    if (fd_ < 0) return true;
    struct flock range = Range(type, byte);
    if (fcntl(fd_, F_OFD_SETLK, &range) == 0) return true;
    if (errno != EAGAIN && errno != EACCES) {
        // No such locks here (an old kernel, some network file systems).
        close(std::exchange(fd_, -1));
        return true;
    }
    // Block in the kernel's queue on a thread of its own, so that the wait can
    // end at the deadline. The thread's descriptor shares this one's open file
    // description, so what it takes is ours.
    const int waitFd = fcntl(fd_, F_DUPFD_CLOEXEC, 0);
    if (waitFd < 0) return false;
    auto outcome = std::make_shared<std::promise<int>>();
    std::future<int> result = outcome->get_future();
    try {
        std::thread([waitFd, range, outcome]() mutable {
            int rc;
            do {
                rc = fcntl(waitFd, F_OFD_SETLKW, &range) == 0 ? 0 : errno;
            } while (rc == EINTR);
            close(waitFd);
            outcome->set_value(rc);
        }).detach();
    } catch (const std::system_error&) {  // no thread to be had: as if the wait ran out
        close(waitFd);
        return false;
    }
    if (result.wait_until(deadline) == std::future_status::ready) return result.get() == 0;

    // Given up. The thread still waits on our file description; leaving it to
    // the thread alone means whatever it takes later is dropped when it closes
    // its descriptor. The turnstile it may hold for us is let go now.
    Drop(kTurnstile);
    close(fd_);
    std::tie(fd_, writable_) = OpenLockFile(path_, false, 0);
    return false;
}

}  // namespace brackwell::registry
