// What an engineer should know about a run whose files were written all the same: values
// outside their physical meaning, a run without rows or at negative heights, heights for
// which chart 1 has no angle, a last row that is not the talus height. Each warning is
// one sentence, without the program's name; the files and the exit status do not change.
#pragma once

#include "sweep/chart_inputs.hpp"
#include "sweep/sweep.hpp"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace zelm {

// The warnings for the values entered and what their sweep gave, in this order: the
// values one by one, the rows, the chart, the last height.
std::vector<std::string> warnings(const ChartInputs& entered, const SweepSummary& run);

// One reading of chart 1, as a study asks for it element by element: the row at
// `height` of the values' sweep (the step is not read).

// The first value of a reading that describes no slope (see describes_a_slope), and why,
// as the warnings name it: {1, "the cohesion -2 is below 0"}. Its position counts the
// friction angle 0, the cohesion 1, the density 2, the height 3 and the factor of
// safety 4. Nothing where every value describes a slope.
struct NoSlope {
    std::size_t position;
    std::string why;
};
std::optional<NoSlope> describes_no_slope(const ChartInputs& reading);

// Why a reading whose x lies beyond the rows that give an angle for every y has no angle
// or no confirmed angle, and what a factor of safety can do about it, as sentences:
// "chart 1 has no slope angle for x = tan(phi)/FS = 0.18, below the 0.20 to 0.80 it gives
// angles for. For a friction angle of 15 degrees ...".
std::string no_angle_at(const ChartInputs& reading);

}  // namespace zelm
