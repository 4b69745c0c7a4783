#pragma once

#include "core/TMainModule.h"
#include "platform/DbConnection.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

// What the benchmarks of a facility's database share: its staff, the kinds
// of database they run on, and how their runs are registered.
namespace BenchFacilities {

// The three staff members the demo results are written by.
inline void addStaff(TMainModule &module)
{
    module.setStaff({{1, QStringLiteral("山田　太郎"), QStringLiteral("山田")},
                     {2, QStringLiteral("佐藤　花子"), QStringLiteral("佐藤")},
                     {3, QStringLiteral("鈴木　一郎"), QStringLiteral("鈴木")}});
}

// On a shared machine the fastest repetition is the least disturbed one:
// compare the "_min" lines (e.g. --benchmark_repetitions=10).
inline double fastest(const std::vector<double> &times)
{
    return *std::min_element(times.begin(), times.end());
}

template <typename Facility> using Run = void (*)(benchmark::State &, Facility &);

// Makes a Facility for SQLite, and for PostgreSQL when TAMSOLEN_PG names a
// server, and registers every run on each as "Kind/name" in milliseconds.
template <typename Facility>
void registerRuns(std::vector<std::unique_ptr<Facility>> &facilities,
                  std::span<const std::pair<const char *, Run<Facility>>> runs)
{
    std::vector<std::pair<DbKind, const char *>> kinds{{DbKind::SQLite, "SQLite"}};
    if (!qEnvironmentVariableIsEmpty("TAMSOLEN_PG"))
        kinds.emplace_back(DbKind::PostgreSQL, "PostgreSQL");
    for (const auto &[kind, kindName] : kinds) {
        Facility *facility = facilities.emplace_back(std::make_unique<Facility>(kind)).get();
        for (const auto &[name, run] : runs) {
            benchmark::RegisterBenchmark((std::string(kindName) + "/" + name).c_str(),
                                         [run, facility](benchmark::State &state) { run(state, *facility); })
                ->Unit(benchmark::kMillisecond)
                ->ComputeStatistics("min", fastest);
        }
    }
}

} // namespace BenchFacilities
