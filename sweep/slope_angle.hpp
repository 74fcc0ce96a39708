// One reading of chart 1 for one set of values at one height, as the sweep's row at that
// height reads it, for a caller that asks for many heights, friction angles or cohesions
// at once and in any order (a parametric or a probabilistic study).
#pragma once

#include "chart/chart1_grid.hpp"
#include "chart/coordinates.hpp"
#include "sweep/sweep.hpp"

#include <cmath>
#include <limits>

namespace zelm {

// The slope angle, in degrees, of the row at `height` of the sweep of these values (the
// friction angle in degrees, as entered): the very float of that row, read from the grid
// (chart1_grid()), or NaN where the row's angle cell is empty. Inline: a study calls it
// for every element of its arrays.
inline float slope_angle(const Chart1Grid& grid, float friction_angle, float cohesion, float density,
                         float height, float security_factor) {
    // The sweep's own steps: tan(phi) once, in double, for both coordinates.
    const float phi = to_radians(friction_angle);
    const double tan_phi = std::tan(static_cast<double>(phi));
    const float x = arrondir(A_tangent(tan_phi, security_factor), 2);
    const float y = arrondir(B_tangent(height, cohesion, density, tan_phi), 2);
    const SweepRow row{height, x, y, grid.angle(x, y)};
    return has_empty_angle(row) ? std::numeric_limits<float>::quiet_NaN() : *row.angle;
}

}  // namespace zelm
