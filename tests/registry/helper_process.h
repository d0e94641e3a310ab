#pragma once
// Runs registry_test_helper (or another program) as a separate process
// (posix_spawn: no fork with an open SQLite connection), with pipes to its
// standard input and output. The store's tests and benchmarks share it.

#include <string>
#include <sys/types.h>
#include <vector>

namespace brackwell::registry::testing {

class HelperProcess {
public:
    // Runs registry_test_helper.
    explicit HelperProcess(const std::vector<std::string>& arguments);
    HelperProcess(const std::string& program, const std::vector<std::string>& arguments);
    ~HelperProcess();
    HelperProcess(const HelperProcess&) = delete;
    HelperProcess& operator=(const HelperProcess&) = delete;

    bool started() const { return pid_ > 0; }
    std::string ReadLine();  // from the helper's output; empty at its end
    void CloseInput();
    int Wait();  // the exit status, or -1 when it did not exit normally
    void Kill();  // SIGKILL, then wait

private:
    pid_t pid_ = -1;
    int input_ = -1;   // our end of its stdin
    int output_ = -1;  // our end of its stdout
};

// Runs the helper to completion and returns its exit status.
int RunHelper(const std::vector<std::string>& arguments);

// Runs program to completion and returns its exit status and standard output.
struct ProgramRun {
    int status = -1;
    std::string output;
};
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace brackwell::registry::testing
