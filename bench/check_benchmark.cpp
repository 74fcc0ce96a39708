// Checks per second of slopes that already stand, drawn over the ranges an engineer
// meets (friction angle 5 to 60 degrees, cohesion 0 to 50, density 1.5 to 2.8, height
// 0.5 to 100 m, slope angle 5 to 89 degrees), so that the answers fall on many rows and
// on both sides of the chart.
#include "sweep/check.hpp"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <random>

namespace {

void check_slopes(benchmark::State& state) {
    std::mt19937 random(1);
    const auto between = [&](float low, float high) {
        return low + (high - low) * static_cast<float>(random()) / 4294967296.0F;
    };
    std::array<zelm::SlopeToCheck, 1000> slopes{};
    for (auto& slope : slopes) {
        slope = {between(5, 60), between(0, 50), between(1.5F, 2.8F), between(0.5F, 100), between(5, 89)};
    }
    for (auto _ : state) {
        for (const auto& slope : slopes) {
            benchmark::DoNotOptimize(zelm::check_slope(slope));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(slopes.size()));
}

}  // namespace

BENCHMARK(check_slopes)->Unit(benchmark::kMillisecond);
