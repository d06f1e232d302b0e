#pragma once
// Sample registries for the benchmarks: a user.reg holding a store of N certInfo records of
// realistic size, 1% of them matching kMatchingIdentifier, beside the rest of a user's registry.

#include <string>

namespace bench {

inline constexpr const char* kMatchingIdentifier = "測試";

// Writes (once, then reuses) WORKDIR/records-N/user.reg and returns that folder.
std::string BenchPrefix(const std::string& workDir, int records);

}  // namespace bench
