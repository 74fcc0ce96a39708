// The result file: the header and one row per height of the sweep.
#pragma once

#include "files/failure.hpp"
#include "files/write_file.hpp"
#include "result/text_rows.hpp"
#include "sweep/chart_inputs.hpp"
#include "sweep/sweep.hpp"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

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
    std::array<char, std::size_t{1} << 16U> block_;
};

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
