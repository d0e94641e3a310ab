#pragma once
// The registry the companion's tests start from.

#include <string>

namespace brackwell::tools::testing {

// HKCU\Software\Example (every common type, a default value, Sub\Deeper below)
// HKCU\Software\Other (the same Name, another Size) and HKCU\Software\Empty.
extern const std::string kExampleRegistry;

}  // namespace brackwell::tools::testing
