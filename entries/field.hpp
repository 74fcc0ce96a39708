// The values a person enters, each by the name every way in knows it by; and the two
// choices a run's values come with: the units of the cohesion and the density, and which
// angles its result file holds.
#pragma once

#include <cstdint>

namespace zelm {

enum class Field : std::uint8_t {
    none,
    // A design run's six, in the order they are asked for.
    friction_angle,
    cohesion,
    density,  // the unit weight, in kN/m3
    talus_height,
    step,
    security_factor,
    // A slope that stands, checked or answered by Bishop's method: its height and face.
    slope_height,
    slope_angle,
    // One reading of the chart, a study's element: the height read at.
    height,
    // What a slope answered by Bishop's method stands under besides its weight: the pore
    // water (a ratio ru, or a phreatic line reaching the ground X behind the toe), a tension
    // crack's depth, an earthquake's horizontal coefficient, and the unit weight of water.
    pore_pressure_ratio,
    phreatic_distance,
    crack_depth,
    seismic_coefficient,
    water_unit_weight,
};

// The units of the cohesion and the density. The chart reads their ratio, so any
// consistent pair gives the same rows; the labels follow the choice, and what a density
// may weigh.
enum class Units : std::uint8_t {
    tonnes,  // C' in Tn/m2, d (the density) in Tn/m3
    si,      // C' in kPa, d (the unit weight) in kN/m3
};

// Which angle the result file's angle column holds: the chart's own, rounded to a whole
// degree (the file as it always was), or the confirmed angle, the steepest whole degree
// whose check reaches the run's FS; the file's format is the same for both.
enum class Angles : std::uint8_t {
    chart,
    confirmed,
    bishop,  // the steepest whole degree reaching FS by Bishop's method
};

}  // namespace zelm
