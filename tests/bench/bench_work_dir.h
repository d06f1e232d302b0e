#pragma once

#include <cstdlib>
#include <string>

namespace bench {

// Where the sample registries are kept between runs: $DIZORED_BENCH_DIR, or beside the build.
inline std::string WorkDir()
{
    const char* dir = std::getenv("DIZORED_BENCH_DIR");
    return dir && *dir ? dir : DIZORED_BENCH_DEFAULT_DIR;
}

}  // namespace bench
