#include "tests/registry/helper_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace brackwell::registry::testing {

HelperProcess::HelperProcess(const std::vector<std::string>& arguments)
    : HelperProcess(REGISTRY_TEST_HELPER, arguments) {}

HelperProcess::HelperProcess(const std::string& program, const std::vector<std::string>& arguments) {
    int toChild[2];
    int fromChild[2];
    if (pipe2(toChild, O_CLOEXEC) != 0) return;
    if (pipe2(fromChild, O_CLOEXEC) != 0) {
        close(toChild[0]);
        close(toChild[1]);
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toChild[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fromChild[1], STDOUT_FILENO);
    std::vector<std::string> argv{program};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> pointers;
    for (std::string& argument : argv) pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, pointers.data(), environ) != 0) {
        pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(toChild[0]);
    close(fromChild[1]);
    input_ = toChild[1];
    output_ = fromChild[0];
}

HelperProcess::~HelperProcess() {
    CloseInput();
    Wait();
    if (output_ >= 0) close(output_);
}

std::string HelperProcess::ReadLine() {
    std::string line;
    char c;
    while (output_ >= 0 && read(output_, &c, 1) == 1 && c != '\n') line.push_back(c);
    return line;
}

void HelperProcess::CloseInput() {
    if (input_ >= 0) close(input_);
    input_ = -1;
}

int HelperProcess::Wait() {
    if (pid_ <= 0) return -1;
    int status = 0;
    const pid_t waited = waitpid(pid_, &status, 0);
    pid_ = -1;
    return waited > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void HelperProcess::Kill() {
    if (pid_ > 0) kill(pid_, SIGKILL);
    Wait();
}

int RunHelper(const std::vector<std::string>& arguments) {
    HelperProcess helper(arguments);
    helper.CloseInput();
    return helper.Wait();
}

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments) {
    HelperProcess process(program, arguments);
    process.CloseInput();
    ProgramRun run;
    for (std::string line = process.ReadLine(); !line.empty(); line = process.ReadLine()) {
        run.output += line + "\n";  // the programs run here print no blank lines
    }
    run.status = process.Wait();
    return run;
}

}  // namespace brackwell::registry::testing
