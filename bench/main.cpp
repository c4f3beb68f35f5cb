// The benchmarks; scripts/bench.sh runs them and turns the results into one table.
#include "StartUpProbe.h"

#include <benchmark/benchmark.h>

#include <cstring>

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], bench::START_UP_PROBE_FLAG) == 0)
        return bench::runStartUpProbe();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
