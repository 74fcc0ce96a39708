// What soils and rocks weigh, in the units a run's values are given in: a unit weight
// far outside it is most likely a slip of the units, such as a density of 2 t/m3 typed
// where kN/m3 are asked. Tonnes-force and kilonewtons differ by the acceleration of
// gravity, 9.81, and the two ranges do not overlap, so a factor of 9.81 either way lands
// outside the range of the units asked for.
#pragma once

#include "entries/diagnostic.hpp"
#include "sweep/chart_inputs.hpp"

#include <optional>

namespace zelm {

// Kilonewtons in a tonne-force: the acceleration of gravity, m/s2, to three figures.
inline constexpr double kilonewtons_per_tonne = 9.81;

// What soils and rocks weigh, in Tn/m3: from about 0.8 (a peat, a pumice) to about 5 (the
// densest ores); in kN/m3, 9.81 times that, rounded outwards: 8 to 50.
struct UnitWeightRange {
    float lowest;
    float highest;
};

constexpr UnitWeightRange unit_weights_of_soils(Units units) {
    return units == Units::si ? UnitWeightRange{8.0F, 50.0F} : UnitWeightRange{0.8F, 5.0F};
}

// Whether `value`, above 0, lies within what soils and rocks weigh in `units` (in either,
// where they were not said: a study's reading, which any consistent units answer alike).
// A value not above 0, or not a number, is no question of this (another rule says so).
bool weighs_as_soils_do(float value, std::optional<Units> units);

// A unit weight above 0 that no soil or rock has in the units it was given in, as a
// diagnostic: the value, its units and the range of soils' in them, and the other units
// where the value lies within their range (the units most likely meant); nothing where
// weighs_as_soils_do.
std::optional<Diagnostic> unit_weight_out_of_range(float value, std::optional<Units> units);

}  // namespace zelm
