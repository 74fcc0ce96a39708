// One design run as a value, made once from the values entered: the values, what the
// sweep's rows hold, and every finding as data (sweep/findings.hpp). Every writer (the
// result file, the workbook, the page's table and curve, Python's arrays) takes the run
// and a stream of its rows (sweep/rows.hpp), and none sweeps again for the findings: the
// run is made from the summary of the first writer's own sweep, or from a sweep of its
// own where that writer did not take every row.
#pragma once

#include "entries/diagnostic.hpp"
#include "sweep/bishop_columns.hpp"
#include "sweep/chart_inputs.hpp"
#include "sweep/sweep.hpp"

#include <cstdint>
#include <vector>

namespace zelm {

class DesignRun {
  public:
    // The run whose every row a sweep of `entered` gave `summary`; and where its result
    // file holds Bishop's angles, why some rows have none.
    DesignRun(const ChartInputs& entered, const SweepSummary& summary,
              const BishopFindings* bishop = nullptr);

    // The run of `entered`, swept for its summary alone.
    static DesignRun swept(const ChartInputs& entered);

    const ChartInputs& entered() const { return entered_; }
    const SweepSummary& summary() const { return summary_; }
    std::int32_t rows() const { return summary_.rows; }

    // What the run finds, in the order told (run_findings).
    const std::vector<Diagnostic>& findings() const { return findings_; }

  private:
    ChartInputs entered_;
    SweepSummary summary_;
    std::vector<Diagnostic> findings_;
};

}  // namespace zelm
