#pragma once
// Runs the brackwell-reg executable as a person or a script would, and a
// registry file for it to work on.

#include <string>
#include <vector>

#include "tests/registry/registry_fixture.h"

namespace brackwell::tools::testing {

struct ToolRun {
    int status = -1;  // the exit status, or -1 when it did not exit normally
    std::string out;
    std::string err;
};

// Standard input is a pipe holding input, so it is not a terminal.
ToolRun RunTool(const std::vector<std::string>& arguments, const std::string& input = "");
// Standard input is a terminal on which answer is typed.
ToolRun RunToolOnTerminal(const std::vector<std::string>& arguments, const std::string& answer);

// A registry file in a fresh folder, filled from a .reg text (no default registry).
class ToolRegistry {
public:
    explicit ToolRegistry(const std::string& regText);

    const std::string& path() const { return path_; }
    std::string folder() const { return folder_.path(); }
    // Runs the tool on this registry: --registry path followed by arguments.
    ToolRun Run(std::vector<std::string> arguments, const std::string& input = "") const;
    // DumpTree of root\path (see registry_fixture.h), read from the file.
    std::string Dump(HKEY root, const std::u16string& path) const;

private:
    registry::testing::TemporaryFolder folder_;
    std::string path_;
};

}  // namespace brackwell::tools::testing
