#pragma once
// What brackwell-reg says to the person: one error line on stderr, and the
// Yes/No question asked before anything is replaced or deleted.

#include <string>

namespace brackwell::tools {

// Prints "brackwell-reg: ERROR: message" on stderr and returns the exit status 1.
int Fail(const std::string& message);

// Whether to go ahead with what question asks about ("Delete the value X").
// With force, yes without asking. Otherwise the question is asked on the
// terminal until it is answered Yes or No; when standard input is not a
// terminal nobody can answer, so the answer is no and *refusal says why.
bool Confirm(const std::string& question, bool force, std::string* refusal);

}  // namespace brackwell::tools
