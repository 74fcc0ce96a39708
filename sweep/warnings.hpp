// What an engineer should know about a run whose files were written all the same: values
// outside their physical meaning, a run without rows or at negative heights, heights for
// which chart 1 has no angle, a last row that is not the talus height. Each warning is
// one sentence, without the program's name; the files and the exit status do not change.
#pragma once

#include "sweep/chart_inputs.hpp"
#include "sweep/sweep.hpp"

#include <string>
#include <vector>

namespace zelm {

// The warnings for the values entered and what their sweep gave, in this order: the
// values one by one, the rows, the chart, the last height.
std::vector<std::string> warnings(const ChartInputs& entered, const SweepSummary& run);

}  // namespace zelm
