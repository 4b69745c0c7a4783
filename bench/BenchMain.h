#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

// With TAMSOLEN_BENCH_SMALLEST set, each program runs its benchmarks at their
// smallest size, the data they are given included: the test command runs
// every program so once (--benchmark_min_time=0) to see that it still works.
inline bool benchSmallest()
{
    return !qEnvironmentVariableIsEmpty("TAMSOLEN_BENCH_SMALLEST");
}

inline int benchSize(int full, int smallest)
{
    return benchSmallest() ? smallest : full;
}

// The arguments a benchmark runs with: all, or only the first (the smallest).
inline std::vector<std::int64_t> benchSizes(std::vector<std::int64_t> sizes)
{
    if (benchSmallest())
        sizes.resize(1);
    return sizes;
}

// The main() of a benchmark program: its benchmarks run under a Qt
// application of the kind given, on the offscreen platform unless another
// is set.
template <typename Application> int runBenchmarks(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
