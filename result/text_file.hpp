// The result file: the header and one row per height of the sweep.
#pragma once

#include "files/failure.hpp"
#include "files/output_file.hpp"
#include "result/text_rows.hpp"
#include "sweep/bishop_angle_rows.hpp"
#include "sweep/chart_inputs.hpp"
#include "sweep/progress.hpp"
#include "sweep/rows.hpp"
#include "sweep/stop.hpp"
#include "sweep/sweep.hpp"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelm {

// The bytes of the result file, a block at a time: the header, then the rows, formed
// straight into a block that is handed over when full (on a long sweep, a write per
// row would cost more than forming the row). The program writes the blocks to the
// file; the page makes its download of them; Python writes the rows it holds.
class ResultFileBytes {
  public:
    // The rows swept afresh from the values entered, with Bishop's angles where the run
    // asks for them.
    explicit ResultFileBytes(const ChartInputs& entered);
    // The rows `rows` gives (rows swept before and kept), of the values entered.
    ResultFileBytes(const ChartInputs& entered, RowSource& rows);

    // The next bytes of the file, or none once they have all been given. The text lives
    // until the next call.
    std::string_view next();

    // The run's rows, and those given so far.
    std::int32_t rows() const { return rows_->rows(); }
    std::int32_t given() const { return rows_->given(); }

    // Where the rows are swept afresh, what those given so far hold; otherwise nothing.
    SweptRows* swept() { return bishop_ ? &bishop_->swept() : swept_.get(); }
    // Where the rows hold Bishop's angles, why some are empty; otherwise nothing.
    const BishopFindings* bishop_findings() const { return bishop_ ? &bishop_->findings() : nullptr; }

  private:
    std::string header_;
    bool header_given_ = false;
    std::unique_ptr<SweptRows> swept_;
    std::unique_ptr<BishopAngleRows> bishop_;
    RowSource* rows_ = nullptr;
    RowWriter writer_;
    std::vector<char> block_;  // 64 KiB, on the heap: a thread's or a page's stack may be small
};

struct TextFileReport {
    // Why the file was not written, or that it was stopped. A file is then as it was
    // before the run, and no temporary is left behind.
    std::optional<Failure> failure;
    // What the rows hold, for the run made of them: complete where every row was swept,
    // which a file that failed part way still has, its rows swept to their end unwritten.
    SweepSummary sweep;
    bool complete = false;
    // Where the file holds Bishop's angles, why some of its rows have none.
    std::optional<BishopFindings> bishop;
};

// The most bytes the result file of a run takes, known before its first row: the header,
// and every row as long as the longest the run can write. Each cell of a row is at most as
// long as the one of the row that holds its largest value: the height's of the last row
// (the heights only grow, in magnitude), y's of the first (y = C'/(d*H*tan(phi)) only
// shrinks as they grow); x is the same on every row, and the angle, at most 90, takes two
// characters where y is 0 or more.
struct ResultFileSize {
    std::uintmax_t header = 0;
    std::int32_t rows = 0;
    std::uintmax_t row = 0;  // the longest row, its TABs and CR LF included

    std::uintmax_t bound() const { return header + static_cast<std::uintmax_t>(rows) * row; }
};
ResultFileSize result_file_size(const ChartInputs& entered);

// Writes the header (values as entered) and one row per height of the sweep into `file`,
// then commits it: an earlier file is replaced only once the new one is complete. A file
// in a folder (not a device, a pipe or standard output) is refused before its first byte
// where its size may go beyond the file-size limit or the space free there. `progress` is
// told the rows written, between two blocks.
TextFileReport write_result_file(OutputFile& file, const ChartInputs& entered, const ShouldStop& stop,
                                 const TellProgress& progress = {});

// The same of the rows `rows` gives, kept from an earlier sweep of the values entered.
std::optional<Failure> write_result_file(OutputFile& file, const ChartInputs& entered, RowSource& rows,
                                         const ShouldStop& stop, const TellProgress& progress = {});

}  // namespace zelm
