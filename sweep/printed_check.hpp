// The check of the angle a design run prints. The result file prints the chart's angle
// in whole degrees (84.75 prints 85), and a chart's fitted rows need not be monotone in
// x (the design chart's are not: at y = 1.06 row 0.29 reads 87.87, row 0.33 84.86, row
// 0.34 86.67): so the check of a printed angle, which goes up in FS and stops at the
// first row below the slope's angle, can answer less than the FS the run was made for.
// Here, for one row of a run, what that check answers, and the steepest whole degree it
// confirms.
#pragma once

#include "chart/chart_grid.hpp"
#include "sweep/check.hpp"

#include <optional>

namespace zelm {

// How far below the run's FS the check of a printed angle may answer before the run
// says so: 3 percent. The chart tells FS no finer than one row of x, 0.01, which is
// 1/(100 x) of FS: over the 3,000 random designs of bench/design_and_check.py, 2.5
// percent at the median row and 3.8 percent at the ninetieth percentile. Within 3
// percent the check's answer is within the chart's own resolution for most rows; a
// smaller margin would warn on most runs (1 percent: 78 percent of them, against 43 at
// 3), for differences that the chart cannot tell.
inline constexpr double crossing_margin = 0.03;

struct PrintedCheck {
    // The steepest whole degree the check confirms at the run's FS (confirmed_angle).
    std::optional<float> confirmed;
    // The angle as the file prints it, and the check of a slope at that angle.
    float printed = 0.0F;
    CheckAnswer answer;
    // The check answers below the run's FS by more than crossing_margin, or only "FS
    // below" the chart's smallest.
    bool short_of_fs = false;
};

// For a run's row on x and y (the grid's, as the sweep holds them) whose angle is
// `angle`: phi in radians, fs the run's factor of safety as entered. Nothing to tell
// where the row has no angle or x lies outside the fitted rows.
PrintedCheck check_printed(const ChartGrid::AtY& design, float phi, float fs, float x,
                           std::optional<float> angle);

}  // namespace zelm
