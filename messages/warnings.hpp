// The run's findings in words, one sentence each, without the program's name: the same
// sentences for standard error, the workbook's warning rows, the page and Python.
#pragma once

#include "entries/diagnostic.hpp"
#include "sweep/chart_inputs.hpp"
#include "sweep/findings.hpp"
#include "sweep/sweep.hpp"

#include <string>
#include <vector>

namespace zelm {

// One diagnostic as a sentence: "the cohesion -2 is below 0; the angles written describe
// no real slope.", "no rows were written: the step is 0.".
std::string sentence(const Diagnostic& said);

// The run's findings, sentence by sentence, in their order.
std::vector<std::string> warnings(const ChartInputs& entered, const SweepSummary& run);

// What the run's warnings can say before its rows are written, in the same sentences:
// where its heights stop growing, so that a run of rows that repeat one height is told
// before it is written, not after.
std::vector<std::string> warnings_before_the_rows(const ChartInputs& entered);

// The heights of some rows, as the result file prints them: "H = 1,00 to 9,00".
std::string heights_text(const Heights& rows);

}  // namespace zelm
