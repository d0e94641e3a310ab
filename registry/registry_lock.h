#pragma once
// The lock every Brackwell process takes around its use of one registry file:
// an open-file-description lock on a file beside it, "<registry>-lock".
//
// SQLite's own locks are waited for by sleeping and trying again, which is
// unfair: a process that commits again at once takes the file back before a
// sleeping one wakes up. The kernel instead hands a freed lock to a process
// already blocked on it. To keep a holder from taking the lock straight back
// while the woken waiter is still being scheduled, every taker first passes a
// turnstile (byte 0), held while it waits for the lock itself (byte 1): a
// process that just released the lock queues at the turnstile behind the one
// it woke. Writers pass the turnstile alone, readers together, so a waiting
// writer also holds back readers that come after it.
//
// The kernel drops the locks of a process that dies, so a killed writer never
// blocks the others. A lock file that cannot be opened (a read-only folder,
// a file system without these locks) leaves the lock inert; SQLite's own
// locks still keep the file consistent, only the order of waiters is lost.

#include <chrono>
#include <string>

namespace brackwell::registry {

using LockClock = std::chrono::steady_clock;

enum class LockMode { Shared, Exclusive };

class RegistryLock {
public:
    RegistryLock() = default;  // inert
    // Opens the lock file beside registryPath, creating it when create is set
    // (with the registry's permission bits, so whoever may write the registry
    // may lock it).
    static RegistryLock Open(const std::string& registryPath, bool create);
    ~RegistryLock();
    RegistryLock(RegistryLock&& other) noexcept;
    RegistryLock& operator=(RegistryLock&& other) noexcept;
    RegistryLock(const RegistryLock&) = delete;
    RegistryLock& operator=(const RegistryLock&) = delete;

    // Waits in turn until deadline; false when the lock was not had by then.
    // An inert lock is had at once.
    bool Acquire(LockMode mode, LockClock::time_point deadline);
    void Release();

private:
    explicit RegistryLock(int fd, bool writable, std::string path)
        : fd_(fd), writable_(writable), path_(std::move(path)) {}
    bool Take(short type, long byte, LockClock::time_point deadline);
    void Drop(long byte);

    int fd_ = -1;
    bool writable_ = false;
    std::string path_;  // to open the file again after giving up a wait
};

std::string LockFilePath(const std::string& registryPath);

// Why a wait for the lock of this length ended, in words for a person.
std::string LockTimeoutText(std::chrono::milliseconds wait);

}  // namespace brackwell::registry
