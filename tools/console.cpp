#include "tools/console.h"

#include <unistd.h>

#include <iostream>

namespace brackwell::tools {
namespace {

std::string Lowered(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

}  // namespace

int Fail(const std::string& message) {
    std::cerr << "brackwell-reg: ERROR: " << message << "\n";
    return 1;
}

bool Confirm(const std::string& question, bool force, std::string* refusal) {
    if (force) return true;
    if (!isatty(STDIN_FILENO)) {
        *refusal = "standard input is not a terminal, so nobody can answer \"" + question +
                   "\"; give --force to go ahead without asking";
        return false;
    }
    for (;;) {
        std::cerr << question << " (Yes/No)? " << std::flush;
        std::string answer;
        if (!std::getline(std::cin, answer)) {
            *refusal = "no answer to \"" + question + "\"";
            return false;
        }
        answer = Lowered(answer);
        if (answer == "y" || answer == "yes") return true;
        if (answer == "n" || answer == "no") {
            *refusal = "the answer was No; nothing was changed";
            return false;
        }
    }
}

}  // namespace brackwell::tools
