#pragma once
// What the benchmarks need of their own process: its resident memory, and
// work run in a child process, so that each size is measured in a fresh
// process and no memory carries over from the one before.

#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <optional>
#include <string>
#include <type_traits>

namespace brackwell::bench {

// A memory figure of /proc/self/status in MiB: "VmRSS:" (resident now) or
// "VmHWM:" (the most ever resident); -1 when unreadable.
inline double ResidentMiB(const char* field = "VmRSS:") {
    std::ifstream status("/proc/self/status");
    const std::string prefix(field);
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(prefix, 0) == 0) return std::stod(line.substr(prefix.size())) / 1024.0;
    return -1;
}

// Runs work(&figures) in a child process and hands back the figures it
// filled, or nullopt when it failed.
template <typename Figures, typename Work>
std::optional<Figures> InChild(Work work) {
    static_assert(std::is_trivially_copyable_v<Figures>);
    int channel[2];
    if (pipe(channel) != 0) return std::nullopt;
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        Figures figures{};
        const bool ok = work(&figures);
        const bool sent = write(channel[1], &figures, sizeof figures) == ssize_t(sizeof figures);
        _exit(ok && sent ? 0 : 1);
    }
    close(channel[1]);
    Figures figures{};
    const bool received =
        child > 0 && read(channel[0], &figures, sizeof figures) == ssize_t(sizeof figures);
    close(channel[0]);
    int status = 1;
    if (child > 0) waitpid(child, &status, 0);
    if (!received || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    return figures;
}

}  // namespace brackwell::bench
