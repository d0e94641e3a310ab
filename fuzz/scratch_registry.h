#pragma once
// What the fuzz targets share: a registry file in a private scratch folder
// (on a RAM disk when there is one, since every commit is synced), and the
// whole registry read back through the ten calls.

#include <string>
#include <string_view>
#include <vector>

#include "registry/registry.h"

namespace brackwell::fuzz {

struct ValueItem {
    std::u16string name;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    bool operator==(const ValueItem&) const = default;
};

struct KeyItem {
    std::u16string name;
    std::vector<KeyItem> subkeys;  // in enumeration order
    std::vector<ValueItem> values;
    bool operator==(const KeyItem&) const = default;
};

// The four roots, each with everything below it.
using RegistryTree = std::vector<KeyItem>;

// Where the target's registry file lives; the folder is removed at exit.
const std::string& ScratchRegistryPath();

// Replaces the scratch registry with a new one filled from seedRegText and
// opens it; aborts when that fails, since nothing is wrong with the input then.
void OpenFreshRegistry(std::string_view seedRegText = {});

// Reads the open registry with the ten calls into *tree and returns the first
// error a call gave, or ERROR_REGISTRY_CORRUPT for a key deeper than the store
// allows. Aborts when the calls contradict each other.
LONG ReadRegistry(RegistryTree* tree);

// Stops the fuzzer with a message: libFuzzer reports the input as a crash.
[[noreturn]] void Fail(const std::string& message);

}  // namespace brackwell::fuzz
