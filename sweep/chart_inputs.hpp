// The six values of one run, as typed at the console, the units they were typed in, and
// the chart they are read on.
#pragma once

#include "chart/design_chart.hpp"

namespace zelm {

// The units of the cohesion and the density. The chart reads their ratio, so any
// consistent pair gives the same rows; only the labels follow the choice.
enum class Units {
    tonnes,  // C' in Tn/m2, d in Tn/m3
    si,      // C' in kPa, d in kN/m3
};

// Which angle the result file's angle column holds: the chart's own, rounded to a whole
// degree (the file as it always was), or the confirmed angle, the steepest whole degree
// whose check reaches the run's FS; the file's format is the same for both.
enum class Angles {
    chart,
    confirmed,
};

struct ChartInputs {
    float friction_angle;   // phi, degrees (the sweep alone works in radians)
    float cohesion;         // C', in the run's units of stress
    float density;          // d, in the run's units of unit weight
    float height;           // Hmax, the height of the talus, m
    float definition;       // the height step, m
    float security_factor;  // FS, the factor of safety to reach
    Units units = Units::tonnes;
    Angles angles = Angles::chart;  // which the result file's angle column holds
    // The chart the sweep reads, the findings name and the files label: never null.
    const DesignChart* chart = &design_chart();
};

}  // namespace zelm
