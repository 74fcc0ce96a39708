// What an engineer should know about a run whose files were written all the same, as
// diagnostics (entries/diagnostic.hpp): which value or rows, and the numbers that say so.
// Values outside their physical meaning, a run without rows or at negative heights,
// heights for which the chart has no angle, angles printed whose check falls short, a
// last row that is not the talus height, the header's rounding. The files and the exit
// status do not change. The words are the templates' (messages/templates_findings.cpp),
// the same for every host.
#pragma once

#include "entries/diagnostic.hpp"
#include "entries/rules.hpp"
#include "sweep/chart_inputs.hpp"
#include "sweep/check.hpp"
#include "sweep/sweep.hpp"

#include <optional>
#include <vector>

namespace zelm {

// What the values entered and their sweep gave, in this order: the values one by one,
// the rows, the chart, the last height, the header.
std::vector<Diagnostic> run_findings(const ChartInputs& entered, const SweepSummary& run);

// Where the run's heights stop growing before its last row, known before the first row
// is written; nothing where every row adds the step. It is one of run_findings too.
std::optional<Diagnostic> heights_stop_growing(const ChartInputs& entered);

// One reading of the chart, as a study asks for it element by element: the row at
// `height` of the values' sweep (the step is not read).

// The first value of a reading that describes no slope (entries/rules.hpp,
// chart_reading_rules): its place among the five values, and how it breaks its rule.
std::optional<Violation> describes_no_slope(const ChartInputs& reading);

// Why a reading whose x lies beyond the rows that give an angle for every y has no
// angle, with its y.
Diagnostic no_angle_at(const ChartInputs& reading);

// A factor of safety below 1, as a run is told of it.
Diagnostic fs_below_one(float security_factor);

}  // namespace zelm
