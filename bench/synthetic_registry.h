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

// The shapes a benchmark's arguments name, KEYS or KEYS:VALUES_PER_KEY each
// (3 values per key when not given); defaults when there are none.
std::vector<SyntheticShape> ShapesFromArguments(int argc, char** argv,
                                                std::vector<SyntheticShape> defaults);

// The operations that create such a registry, keys before their values.
std::vector<registry::RegOperation> GenerateSyntheticRegistry(const SyntheticShape& shape,
                                                              SyntheticStats* stats);

// Generates a registry and writes it into the open registry in one transaction.
bool FillSyntheticRegistry(const SyntheticShape& shape, SyntheticStats* stats, std::string* error);

// A registry file of that shape at path, ready to open. Building a large one
// takes a while, so when $BRACKWELL_BENCH_CACHE names a folder, the file is
// built there once per shape and copied from then on. The stats come from
// generating the operations again, which costs a fraction of writing them.
bool MakeSyntheticRegistryFile(const SyntheticShape& shape, const std::string& path,
                               SyntheticStats* stats, std::string* error);

}  // namespace brackwell::bench
