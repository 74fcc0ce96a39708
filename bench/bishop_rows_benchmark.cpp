// What Bishop's cells cost a design run's row (the factor of safety of the printed angle
// and the steepest whole degree reaching the run's FS), on a run of 1,000 rows: 20 m in
// steps of 2 cm, phi 30, C' 20 kPa, 19.6 kN/m3, FS 1.3, under a pore-pressure ratio of 0.25
// and a seismic coefficient of 0.1. Each search cold, as a dry run's are, and each started
// warm from the previous row's at the same degree; the same run dry and still, the cells
// as they always were. The time is per row.
#include "sweep/bishop_columns.hpp"
#include "sweep/sweep.hpp"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

const zelm::ChartInputs run{30.0F, 20.0F, 19.6F, 20.0F, 0.02F, 1.3F, zelm::Units::si};

void rows_of_run(benchmark::State& state, const zelm::SlopeConditions& conditions, bool warm) {
    zelm::CircleSearch search;
    search.warm = warm;
    std::int64_t rows = 0;
    zelm::BishopColumns::Searches searches{0, 0, 0, 0};
    for (auto _ : state) {
        zelm::ChartInputs under = run;
        under.conditions.conditions = conditions;
        zelm::Sweep sweep(under);
        zelm::BishopColumns columns(under, sweep.rows(), search);
        for (const zelm::SweepRow* row = sweep.next(); row != nullptr; row = sweep.next()) {
            benchmark::DoNotOptimize(columns.next(*row));
            ++rows;
        }
        searches.warm += columns.searches().warm;
        searches.refreshing += columns.searches().refreshing;
        searches.cold += columns.searches().cold;
        searches.confirming += columns.searches().confirming;
    }
    state.SetItemsProcessed(rows);
    state.counters["per_row_us"] = benchmark::Counter(
        static_cast<double>(rows) * 1e-6, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    const auto per_row = [&](int count) { return static_cast<double>(count) / static_cast<double>(rows); };
    state.counters["warm_per_row"] = per_row(searches.warm);
    state.counters["refreshing_per_row"] = per_row(searches.refreshing);
    state.counters["cold_per_row"] = per_row(searches.cold);
    state.counters["confirming_per_row"] = per_row(searches.confirming);
}

const zelm::SlopeConditions wet{
    .water = zelm::PoreWater::ratio, .pore_pressure_ratio = 0.25, .seismic_coefficient = 0.1};

void cold_wet(benchmark::State& state) { rows_of_run(state, wet, false); }
void warm_wet(benchmark::State& state) { rows_of_run(state, wet, true); }
void dry(benchmark::State& state) { rows_of_run(state, {}, true); }

}  // namespace

BENCHMARK(cold_wet)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(warm_wet)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(dry)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_MAIN();
