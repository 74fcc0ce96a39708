// Bishop's method in words: the line --bishop gives a slope, why it refuses a slope's
// values, and what a design run's workbook says of the rows whose Bishop cells are empty.
#pragma once

#include "slices/bishop.hpp"
#include "sweep/bishop_columns.hpp"
#include "sweep/chart_inputs.hpp"
#include "sweep/check.hpp"

#include <string>
#include <vector>

namespace zelm {

// Why the method refuses a slope for `why` alone, as one sentence (see bishop_answers.hpp):
// "the friction angle 90 is not at least 0 and below 90 degrees."
std::string bishop_refusal(const SlopeToCheck& slope, BishopReason why);

// The answer in one line:
// "FS 0.985 (Bishop's method; critical circle, in m from the toe: centre x = -0.47,
// y = 28.65, radius 28.65, entering the crest at x = 21.28, leaving the ground at
// x = 0.00)", then what else the engineer should know (bishop_cautions). Where the method
// gives no factor of safety, why, with no number.
std::string bishop_line(const SlopeToCheck& slope, const BishopResult& result);

// The factor of safety as every host prints it: rounded down to three decimals, "0.985".
std::string bishop_fs_text(double factor_of_safety);

// What else the engineer should know of an answer, as clauses that follow it: below 1,
// and the slices under the crest in tension, which a tension crack there would relieve
// at the cost of their resistance: "; below 1, the slope is expected to fail; the slices
// under the crest are in tension down to 1.94 m below it: a tension crack there would
// lower this FS". Empty where there is nothing to add.
std::string bishop_cautions(const BishopResult& result);

// The line after the slope it answers: "H 10 m at 26.565052 degrees: FS 0.985 (...)".
std::string named_bishop_line(const SlopeToCheck& slope, const BishopResult& result);

// What the workbook of a run says of its Bishop cells: the rows left empty and why, and
// the rows whose factor of safety counts on tension under the crest.
std::vector<std::string> bishop_notes(const BishopFindings& findings, const ChartInputs& entered);

// Where a long run's rows with Bishop's cells stop, said in the first row without them.
std::string where_bishop_stops(const BishopFindings& findings);

}  // namespace zelm
