// The progress of a long run, shown on standard error where that is a terminal: one line,
// rewritten in place, of the rows written of the run's, their rate and the time left.
// Where standard error is a file, a pipe or another program, nothing at all is shown
// there, and its lines are as they would be without it.
//
// The line first comes once the rows have taken a second, and is drawn again at most
// four times a second: a run that ends sooner needs no line, which would only flicker,
// and one that takes longer gets it whatever its row count, on a slow disk or a busy
// machine too. It is cleared when the ProgressLine goes, before any later line. Rows
// written to standard output on a terminal show none, which would break into them.
#pragma once

#include "sweep/progress.hpp"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

namespace zelm {

// Which rows are being written: the result file's, or the workbook's.
enum class Writing : std::uint8_t { result_file, workbook };

// The rows done of the run's, their rate and the time left at that rate, short enough for
// a terminal's line: "zelm-fs: 45000000 of 100000000 rows, 31.2 M rows/s, 2 s left";
// "zelm-fs: workbook: 1200 of 1000000 rows, 950 rows/s, 17 min 32 s left".
std::string progress_line(Writing writing, std::int32_t done, std::int32_t total, double rows_per_second);

class ProgressLine {
  public:
    ProgressLine(Writing writing, bool rows_on_standard_output);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // What the writer tells, on its thread; empty where standard error is not a terminal.
    TellProgress teller();

  private:
    using Clock = std::chrono::steady_clock;

    void tell(std::int32_t done, std::int32_t total);

    Writing writing_;
    int terminal_;
    Clock::time_point started_;
    Clock::time_point drawn_at_;
    std::size_t drawn_ = 0;  // the length of the line on the terminal, 0 while there is none
};

}  // namespace zelm
