// The result file: the header and one row per height of the sweep.
#pragma once

#include "files/failure.hpp"
#include "files/output_file.hpp"
#include "result/text_rows.hpp"
#include "sweep/chart_inputs.hpp"
#include "sweep/stop.hpp"
#include "sweep/sweep.hpp"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelm {

// The bytes of the result file, a block at a time: the header, then the rows, formed
// straight into a block that is handed over when full (on a long sweep, a write per
// row would cost more than forming the row). The program writes the blocks to the
// file; the page makes its download of them.
class ResultFileBytes {
  public:
    explicit ResultFileBytes(const ChartInputs& entered);

    // The next bytes of the file, or none once they have all been given. The text lives
    // until the next call.
    std::string_view next();

    // What the rows given so far hold.
    const SweepSummary& summary() const { return rows_.summary(); }

  private:
    std::string header_;
    bool header_given_ = false;
    Sweep rows_;
    RowWriter writer_;
    std::vector<char> block_;  // 64 KiB, on the heap: a thread's or a page's stack may be small
};

struct TextFileReport {
    // Why the file was not written, or that it was stopped. A file is then as it was
    // before the run, and no temporary is left behind.
    std::optional<Failure> failure;
    SweepSummary sweep;  // what the rows hold, for the warnings after the run
};

// Writes the header (values as entered) and one row per height of the sweep into `file`,
// then commits it: an earlier file is replaced only once the new one is complete.
TextFileReport write_result_file(OutputFile& file, const ChartInputs& entered, const ShouldStop& stop);

}  // namespace zelm
