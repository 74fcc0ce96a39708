// The line a long run shows on a terminal while it writes its rows, rewritten in place.
#pragma once

#include <cstdint>
#include <string>

namespace zelm {

// Which rows are being written: the result file's, or the workbook's.
enum class Writing : std::uint8_t { result_file, workbook };

// The rows done of the run's, their rate and the time left at that rate, short enough for
// a terminal's line: "zelm-fs: 45000000 of 100000000 rows, 31.2 M rows/s, 2 s left";
// "zelm-fs: workbook: 1200 of 1000000 rows, 950 rows/s, 17 min 32 s left".
std::string progress_line(Writing writing, std::int32_t done, std::int32_t total, double rows_per_second);

}  // namespace zelm
