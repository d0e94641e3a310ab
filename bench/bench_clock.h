#pragma once
// The clock the benchmarks time with.

#include <chrono>

namespace brackwell::bench {

using Clock = std::chrono::steady_clock;

inline double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace brackwell::bench
