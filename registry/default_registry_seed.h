#pragma once
// The .reg text a new device registry is filled from, so that every program
// that creates the registry (the editor, brackwell-reg, a program linking the
// registry library) starts it with the same keys and values.

#include <string>

namespace brackwell::registry {

struct RegistrySeed {
    bool ok = false;
    std::string text;   // the .reg text when ok
    std::string error;  // otherwise a sentence naming the files looked for
};

// Reads default-registry.reg from share/brackwell/ of the installation that
// holds the running program (or the registry library it links), else from the
// source tree the program was built from, so a build runs without installing.
// Pass the text to OpenDeviceRegistry as its seed.
RegistrySeed ReadDefaultRegistrySeed();

}  // namespace brackwell::registry
