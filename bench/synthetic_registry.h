#pragma once
// Synthetic registries of a realistic shape for benchmarks: fan-out falling
// with depth (average depth about 7), one classes root with a very large number
// of subkeys, on average valuesPerKey values per key (mostly strings and
// numbers, some binary and multi-string data, a few large values).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "registry/reg_operation.h"

namespace brackwell::bench {

struct SyntheticShape {
    std::size_t keys = 100000;
    double valuesPerKey = 3.0;
    std::uint32_t seed = 20240611;
};

struct SyntheticStats {
    std::size_t keys = 0;
    std::size_t values = 0;
    double averageDepth = 0;
    std::size_t largestFanOut = 0;
    std::size_t dataBytes = 0;
};

// The operations that create such a registry, keys before their values.
std::vector<registry::RegOperation> GenerateSyntheticRegistry(const SyntheticShape& shape,
                                                              SyntheticStats* stats);

// Generates a registry and writes it into the open registry in one transaction.
bool FillSyntheticRegistry(const SyntheticShape& shape, SyntheticStats* stats, std::string* error);

}  // namespace brackwell::bench
