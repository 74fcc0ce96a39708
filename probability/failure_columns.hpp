// The probability of failure beside a design run's rows, for its workbook. For each row
// whose Bishop FS cell holds a number: the share of the draws of an uncertain material
// whose factor of safety by Bishop's method, on the slope the row prints (its height,
// its printed angle, the run's conditions), is below 1; and the upper bound of its 95%
// confidence interval. The draws are drawn once, the same at every row; each row searches
// its own nominal slope cold once, then each draw from that search's valleys, some 40 us
// a draw.
#pragma once

#include "probability/draws.hpp"
#include "sweep/bishop_columns.hpp"
#include "sweep/chart_inputs.hpp"
#include "sweep/stop.hpp"
#include "sweep/sweep.hpp"

#include <optional>
#include <vector>

namespace zelm {

// The run's material as uncertain as asked (entered_material).
UncertainMaterial uncertain_material(const ChartInputs& entered, const MaterialUncertainty& uncertainty);

// A row's two cells, nothing where a cell is empty.
struct FailureCells {
    std::optional<double> probability;  // the share of the answered draws that fail, 0 to 1, to 10^-6
    std::optional<double> upper;        // its upper 95% bound, the unanswered draws failing, rounded up
};

class FailureColumns {
  public:
    // The run's values, `entered.uncertainty` given.
    explicit FailureColumns(const ChartInputs& entered);

    // The cells of a row whose Bishop cells are `bishop`: empty where its FS cell is, or
    // where a stop came between two of its draws.
    FailureCells next(const SweepRow& row, const BishopCells& bishop, const ShouldStop& stop = {});

  private:
    void draw();

    ChartInputs entered_;
    MaterialUncertainty uncertainty_;
    // Drawn at the first row that has a Bishop FS: a run whose values describe no slope
    // draws none.
    std::vector<DrawnMaterial> draws_;
    std::vector<double> fs_;
};

}  // namespace zelm
