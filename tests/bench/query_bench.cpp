// The query and the registry load, against the bare cost of the same work.

#include <filesystem>

#include <benchmark/benchmark.h>

#include "platform/registry/registry_source.h"
#include "store/cert_store_access.h"
#include "tests/bench/bare_query.h"
#include "tests/bench/bench_store.h"
#include "tests/bench/bench_work_dir.h"
#include "tests/support/temp_dir.h"

namespace {

void CheckMatches(benchmark::State& state, size_t matches)
{
    if (matches != static_cast<size_t>(state.range(0) / 100))
        state.SkipWithError("wrong number of matches");
}

// Two copies of the sample file, taken in turn, so that every round reads a file the process
// has not parsed yet.
std::pair<std::string, std::string> TwinPrefixes(benchmark::State& state)
{
    std::string prefix = bench::BenchPrefix(bench::WorkDir(), static_cast<int>(state.range(0)));
    std::string twin = prefix + "-twin";
    if (!std::filesystem::exists(twin + "/user.reg")) {
        std::filesystem::create_directories(twin);
        std::filesystem::copy_file(prefix + "/user.reg", twin + "/user.reg");
    }
    return {prefix, twin};
}

// The registry source reading and parsing user.reg, as the first key opened makes it.
void BM_RegistryLoad(benchmark::State& state)
{
    auto [prefix, twin] = TwinPrefixes(state);
    bool flip = false;
    for (auto _ : state) {
        test_support::ScopedEnv env("WINEPREFIX", (flip = !flip) ? prefix : twin);
        benchmark::DoNotOptimize(platform::registry::AcquireCurrentUserHive());
        platform::registry::ReleaseCurrentUserHive();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations())
                            * static_cast<int64_t>(std::filesystem::file_size(prefix + "/user.reg")));
}

void BM_QueryCold(benchmark::State& state)
{
    auto [prefix, twin] = TwinPrefixes(state);
    bool flip = false;
    size_t matches = 0;
    for (auto _ : state) {
        test_support::ScopedEnv env("WINEPREFIX", (flip = !flip) ? prefix : twin);
        matches = CCertStoreAccess().QueryCertList(bench::kMatchingIdentifier).size();
    }
    CheckMatches(state, matches);
}

void BM_QueryWarm(benchmark::State& state)
{
    test_support::ScopedEnv env("WINEPREFIX", bench::BenchPrefix(bench::WorkDir(), static_cast<int>(state.range(0))));
    CCertStoreAccess().QueryCertList(bench::kMatchingIdentifier);
    size_t matches = 0;
    for (auto _ : state)
        matches = CCertStoreAccess().QueryCertList(bench::kMatchingIdentifier).size();
    CheckMatches(state, matches);
}

void BM_BareQuery(benchmark::State& state)
{
    std::string path = bench::BenchPrefix(bench::WorkDir(), static_cast<int>(state.range(0))) + "/user.reg";
    size_t matches = 0;
    for (auto _ : state)
        matches = static_cast<size_t>(bench::BareQuery(path, bench::kMatchingIdentifier));
    CheckMatches(state, matches);
}

void Sizes(benchmark::internal::Benchmark* b)
{
    b->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->MinTime(2.0);
}

}  // namespace

BENCHMARK(BM_RegistryLoad)->Apply(Sizes);
BENCHMARK(BM_QueryCold)->Apply(Sizes);
BENCHMARK(BM_QueryWarm)->Apply(Sizes);
BENCHMARK(BM_BareQuery)->Apply(Sizes);
