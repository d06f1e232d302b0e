// Runs the benchmarks, then sets the figures side by side against their targets.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include <benchmark/benchmark.h>

#include "store/cert_store_access.h"
#include "tests/bench/bench_store.h"
#include "tests/bench/bench_work_dir.h"

namespace {

class CollectingReporter : public benchmark::ConsoleReporter {
public:
    CollectingReporter() : ConsoleReporter(OO_Tabular) {}  // plain text: the figures go into docs

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            seconds_[run.benchmark_name()] = run.GetAdjustedRealTime() * benchmark::GetTimeUnitMultiplier(run.time_unit);
            auto bytes = run.counters.find("bytes_per_second");
            if (bytes != run.counters.end())
                bytesPerSecond_[run.benchmark_name()] = bytes->second;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    double Seconds(const std::string& name) const
    {
        auto it = seconds_.find(name);
        return it == seconds_.end() ? 0 : it->second;
    }
    double BytesPerSecond(const std::string& name) const
    {
        auto it = bytesPerSecond_.find(name);
        return it == bytesPerSecond_.end() ? 0 : it->second;
    }

private:
    std::map<std::string, double> seconds_;
    std::map<std::string, double> bytesPerSecond_;
};

// Peak resident memory (bytes) of a fresh process that runs one cold query.
long PeakMemoryOfQuery(const std::string& prefix)
{
    pid_t pid = fork();
    if (pid == 0) {
        setenv("WINEPREFIX", prefix.c_str(), 1);
        CCertStoreAccess().QueryCertList(bench::kMatchingIdentifier);
        _exit(0);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    return usage.ru_maxrss * 1024L;
}

void Row(const char* what, double figure, const char* target, bool met)
{
    std::printf("  %-52s %10.2f   %-18s %s\n", what, figure, target, met ? "met" : "MISSED");
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\nFigures against their targets\n");
    for (const char* n : {"1000", "10000", "100000"}) {
        double cold = reporter.Seconds(std::string("BM_QueryCold/") + n + "/min_time:2.000");
        double bare = reporter.Seconds(std::string("BM_BareQuery/") + n + "/min_time:2.000");
        if (cold > 0 && bare > 0)
            Row((std::string("query (cold) / bare loop, ") + n + " records").c_str(), cold / bare, "<= 1.5", cold / bare <= 1.5);
    }
    for (const char* kind : {"BM_QueryCold", "BM_QueryWarm"}) {
        double big = reporter.Seconds(std::string(kind) + "/100000/min_time:2.000");
        double small = reporter.Seconds(std::string(kind) + "/10000/min_time:2.000");
        if (big > 0 && small > 0)
            Row((std::string(kind + 3) + " 100,000 / 10,000 records").c_str(), big / small, "<= 11", big / small <= 11);
    }
    for (const char* n : {"10000", "100000"}) {
        double rate = reporter.BytesPerSecond(std::string("BM_RegistryLoad/") + n + "/min_time:2.000") / 1e6;
        if (rate > 0)
            Row((std::string("registry load MB/s, ") + n + " records").c_str(), rate, ">= 200", rate >= 200);
    }
    double import = reporter.Seconds("BM_ImportCert/min_time:2.000");
    double command = reporter.Seconds("BM_OpensslPkcs12Command/min_time:2.000");
    double parse = reporter.Seconds("BM_Pkcs12Parse/min_time:2.000");
    if (import > 0 && command > 0)
        Row("import / openssl pkcs12 command, same file", import / command, "<= 1.3", import / command <= 1.3);
    if (import > 0 && parse > 0)
        Row("import / PKCS12_parse in process, same file", import / parse, "(shown)", true);
    std::string prefix = bench::BenchPrefix(bench::WorkDir(), 100000);
    double fileMb = static_cast<double>(std::filesystem::file_size(prefix + "/user.reg")) / 1e6;
    double peakMb = static_cast<double>(PeakMemoryOfQuery(prefix)) / 1e6;
    double allowed = 3 * fileMb + 40;
    char target[32];
    std::snprintf(target, sizeof target, "<= %.0f (3x%.0f+40)", allowed, fileMb);
    Row("peak memory of a 100,000-record query, MB", peakMb, target, peakMb <= allowed);
    benchmark::Shutdown();
    return 0;
}
