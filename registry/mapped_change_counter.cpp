#include "registry/mapped_change_counter.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <mutex>

namespace brackwell::registry {
namespace {

constexpr std::size_t kPageBytes = 4096;
constexpr std::size_t kCounterOffset = 24;  // big-endian, in the SQLite header

// The mapped pages of every open registry, for the fault handler.
std::array<std::atomic<unsigned char*>, 64> mappedPages{};
struct sigaction previousAction {};

void OnBusError(int signal, siginfo_t* info, void* context) {
    auto* address = static_cast<unsigned char*>(info->si_addr);
    for (auto& slot : mappedPages) {
        unsigned char* page = slot.load();
        if (page && address >= page && address < page + kPageBytes) {
            mmap(page, kPageBytes, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
            return;
        }
    }
    if ((previousAction.sa_flags & SA_SIGINFO) && previousAction.sa_sigaction) {
        previousAction.sa_sigaction(signal, info, context);
    } else if (previousAction.sa_handler != SIG_DFL && previousAction.sa_handler != SIG_IGN) {
        previousAction.sa_handler(signal);
    } else {
        sigaction(signal, &previousAction, nullptr);
        raise(signal);
    }
}

void InstallHandler() {
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction action {};
        action.sa_sigaction = OnBusError;
        action.sa_flags = SA_SIGINFO | SA_NODEFER;
        sigemptyset(&action.sa_mask);
        sigaction(SIGBUS, &action, &previousAction);
    });
}

}  // namespace

bool MappedChangeCounter::Map(const std::string& path) {
    if (page_) return true;
    if (descriptor_ < 0) descriptor_ = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat status {};
    if (descriptor_ < 0 || fstat(descriptor_, &status) != 0 ||
        status.st_size < static_cast<off_t>(kCounterOffset + 4)) {
        return false;
    }
    void* page = mmap(nullptr, kPageBytes, PROT_READ, MAP_SHARED, descriptor_, 0);
    if (page == MAP_FAILED) return false;
    for (auto& slot : mappedPages) {
        unsigned char* empty = nullptr;
        if (slot.compare_exchange_strong(empty, static_cast<unsigned char*>(page))) {
            InstallHandler();
            page_ = static_cast<unsigned char*>(page);
            return true;
        }
    }
    munmap(page, kPageBytes);
    return false;
}

std::uint32_t MappedChangeCounter::Read() const {
    const volatile unsigned char* bytes = page_ + kCounterOffset;
    return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
           (std::uint32_t{bytes[2]} << 8) | bytes[3];
}

MappedChangeCounter::~MappedChangeCounter() {
    if (page_) {
        for (auto& slot : mappedPages) {
            unsigned char* mine = const_cast<unsigned char*>(page_);
            if (slot.compare_exchange_strong(mine, nullptr)) break;
        }
        munmap(const_cast<unsigned char*>(page_), kPageBytes);
    }
    if (descriptor_ >= 0) close(descriptor_);
}

}  // namespace brackwell::registry
