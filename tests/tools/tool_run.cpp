#include "tests/tools/tool_run.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include "registry/device_registry.h"
#include "registry/reg_file_reader.h"

extern char** environ;

namespace brackwell::tools::testing {
namespace {

// Spawns the tool with stdin from inputFd, reads its stdout and stderr to the
// end (both at once, so neither pipe can fill up and stall it) and waits.
ToolRun Spawn(const std::vector<std::string>& arguments, int inputFd) {
    ToolRun run;
    int out[2];
    int err[2];
    if (pipe2(out, O_CLOEXEC) != 0) return run;
    if (pipe2(err, O_CLOEXEC) != 0) return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, inputFd, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
    std::vector<std::string> argv{BRACKWELL_REG_TOOL};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> pointers;
    for (std::string& argument : argv) pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    pid_t pid = -1;
    const bool spawned =
        posix_spawn(&pid, argv[0].c_str(), &actions, nullptr, pointers.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    std::string* texts[2] = {&run.out, &run.err};
    for (int open = 2; spawned && open > 0;) {
        if (poll(fds, 2, -1) < 0) break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) continue;
            char buffer[4096];
            const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                texts[i]->append(buffer, static_cast<std::size_t>(n));
            } else {
                fds[i].fd = -1;
                --open;
            }
        }
    }
    close(out[0]);
    close(err[0]);
    int status = 0;
    if (spawned && waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        run.status = WEXITSTATUS(status);
    return run;
}

}  // namespace

ToolRun RunTool(const std::vector<std::string>& arguments, const std::string& input) {
    int in[2];
    if (pipe2(in, O_CLOEXEC) != 0) return {};
    // Small inputs fit the pipe's buffer, so writing before the tool runs cannot block.
    EXPECT_EQ(static_cast<ssize_t>(input.size()), write(in[1], input.data(), input.size()));
    close(in[1]);
    ToolRun run = Spawn(arguments, in[0]);
    close(in[0]);
    return run;
}

ToolRun RunToolOnTerminal(const std::vector<std::string>& arguments, const std::string& answer) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return {};
    const int terminal = open(ptsname(master), O_RDWR | O_NOCTTY | O_CLOEXEC);
    // Typed ahead: the terminal holds the line until the tool reads it.
    EXPECT_EQ(static_cast<ssize_t>(answer.size()), write(master, answer.data(), answer.size()));
    ToolRun run = Spawn(arguments, terminal);
    close(terminal);
    close(master);
    return run;
}

ToolRegistry::ToolRegistry(const std::string& regText)
    : path_(folder_.path() + "/registry.sqlite3") {
    const registry::OpenResult opened = registry::OpenDeviceRegistry(path_);
    EXPECT_TRUE(opened.ok) << opened.error;
    const registry::RegImportResult imported = registry::ImportRegFile(regText);
    EXPECT_TRUE(imported.ok) << imported.error;
    registry::CloseDeviceRegistry();
}

ToolRun ToolRegistry::Run(std::vector<std::string> arguments, const std::string& input) const {
    arguments.insert(arguments.begin(), {"--registry", path_});
    return RunTool(arguments, input);
}

std::string ToolRegistry::Dump(HKEY root, const std::u16string& path) const {
    const registry::OpenResult opened = registry::OpenDeviceRegistryReadOnly(path_);
    if (!opened.ok) return opened.error;
    std::string dump = registry::testing::DumpTree(root, path);
    registry::CloseDeviceRegistry();
    return dump;
}

}  // namespace brackwell::tools::testing
