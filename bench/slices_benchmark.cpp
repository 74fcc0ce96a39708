// One whole search for the critical circle by Bishop's method, on slopes of each kind the
// search meets: circles through the toe, deep circles beyond it, the nearly flat circles
// of a cohesionless slope and the steep ones of a vertical cut. Each should take well
// under a millisecond on one core.
#include "slices/bishop.hpp"

#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>

namespace {

struct Named {
    const char* name;
    zelm::HomogeneousSlope slope;
};

// In m, kPa and kN/m3: the ACADS review's EX1(a) (face 2:1, C' 3, phi 19.6); a cut at 60
// degrees (C' 15, phi 30); a sand at 1.5:1 without cohesion (phi 35); a clay without
// friction at 30 degrees, whose critical circles go deep; a vertical cut in a stiff clay
// (C' 40, phi 5); a weak rock at 70 degrees (C' 50, phi 40).
const std::array<Named, 6> slopes{{
    {"acads_ex1a", {10, 26.565, 19.6, 3, 20}},
    {"cut_60", {12, 60, 30, 15, 19}},
    {"sand", {8, 33.69, 35, 0, 18}},
    {"clay_30", {6, 30, 0, 25, 18}},
    {"vertical_cut", {5, 90, 5, 40, 19}},
    {"rock_70", {20, 70, 40, 50, 23}},
}};

void critical_circle(benchmark::State& state) {
    const Named& one = slopes.at(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(zelm::critical_circle(one.slope));
    }
    state.SetLabel(one.name);
}

}  // namespace

BENCHMARK(critical_circle)->DenseRange(0, slopes.size() - 1)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
