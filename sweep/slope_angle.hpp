// One reading of a chart for one set of values at one height, as the sweep's row at that
// height reads it, for a caller that asks for many heights, friction angles or cohesions
// at once and in any order (a parametric or a probabilistic study).
#pragma once

#include "chart/chart_grid.hpp"
#include "chart/coordinates.hpp"
#include "sweep/check.hpp"
#include "sweep/sweep.hpp"

#include <cmath>
#include <limits>

namespace zelm {

// What a friction angle (in degrees, as entered) and a factor of safety give every height
// alike: tan(phi), in double, and x on the chart's grid, as the sweep takes them once per
// run. A study that reads many heights for the same two keeps them.
struct ChartColumn {
    double tan_phi;
    float x;
};

// tan(phi), in double, of a friction angle in degrees as entered, as the sweep takes it.
inline double friction_tangent(float friction_angle) {
    return std::tan(static_cast<double>(to_radians(friction_angle)));
}

inline ChartColumn chart_column(float friction_angle, float security_factor) {
    const double tan_phi = friction_tangent(friction_angle);
    return {tan_phi, arrondir(A_tangent(tan_phi, security_factor), 2)};
}

// y on the chart's grid at `height`, as the sweep's row at that height has it (a sweep's
// first row lies at 0 + step, the step itself). It does not depend on FS.
inline float chart_y(double tan_phi, float cohesion, float density, float height) {
    return arrondir(B_tangent(height, cohesion, density, tan_phi), 2);
}

// The slope angle, in degrees, of the row at `height` of the sweep of these values: the
// very float of that row, read from the grid of the values' chart, or NaN where the row's
// angle cell is empty. Inline: a study calls it for every element of its arrays.
inline float slope_angle(const ChartGrid& grid, const ChartColumn& column, float cohesion, float density,
                         float height) {
    const float y = chart_y(column.tan_phi, cohesion, density, height);
    const SweepRow row{height, column.x, y, grid.angle(column.x, y), std::nullopt};
    return has_empty_angle(row) ? std::numeric_limits<float>::quiet_NaN() : *row.angle;
}

inline float slope_angle(const ChartGrid& grid, float friction_angle, float cohesion, float density,
                         float height, float security_factor) {
    return slope_angle(grid, chart_column(friction_angle, security_factor), cohesion, density, height);
}

// The confirmed angle of the row at `height` of the sweep of these values, as the
// sweep's row holds it (confirmed_angle): the steepest whole degree whose check reaches
// the FS, or NaN where there is none.
inline float confirmed_angle(const ChartGrid& grid, const ChartColumn& column, float cohesion, float density,
                             float height) {
    const auto [first, last] = fitted_x_range(grid.chart());
    if (!(column.x >= first && column.x <= last)) {  // also false for NaN
        return std::numeric_limits<float>::quiet_NaN();
    }
    const float y = chart_y(column.tan_phi, cohesion, density, height);
    return confirmed_angle(grid.at(y), key_of(column.x)).value_or(std::numeric_limits<float>::quiet_NaN());
}

}  // namespace zelm
