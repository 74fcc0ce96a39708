// The result file: the header and one row per height of the sweep.
#pragma once

#include "files/failure.hpp"
#include "files/write_file.hpp"
#include "sweep/chart_inputs.hpp"
#include "sweep/sweep.hpp"

#include <optional>

namespace zelm {

struct TextFileReport {
    // Why the file could not be written. It is then as it was before the run (a file,
    // not a device or standard output), and no temporary is left behind.
    std::optional<Failure> failure;
    SweepSummary sweep;  // what the rows hold, for the warnings after the run
};

// Writes the header (values as entered) and one row per height of the sweep, replacing
// any earlier file only once the new one is complete.
TextFileReport write_result_file(const Destination& destination, const ChartInputs& entered);

}  // namespace zelm
