// The rows of a long sweep made into text on every core: the sweep takes the rows in
// order on one thread (its heights add up one after another), two threads form the
// text of batches of them, and the caller writes the batches in order.
#pragma once

#include "files/failure.hpp"
#include "sweep/chart_inputs.hpp"
#include "sweep/progress.hpp"
#include "sweep/stop.hpp"
#include "sweep/sweep.hpp"

#include <cstdio>
#include <optional>

namespace zelm {

// Rows below which the threads cost more than they save: the run is written on the
// calling thread alone.
inline constexpr std::int32_t rows_worth_threads = 100000;

struct PipelineReport {
    // Why the rows were not all written, or that they were stopped; nothing when the
    // threads could not be had, and the caller writes the rows itself.
    std::optional<Failure> failure;
    bool ran = false;
    SweepSummary sweep;
};

// Writes every row of the run to `file`, asking `stop` between two batches and telling
// `progress` the rows written after each.
PipelineReport write_rows_on_every_core(std::FILE* file, const ChartInputs& entered, const ShouldStop& stop,
                                        const TellProgress& progress = {});

}  // namespace zelm
