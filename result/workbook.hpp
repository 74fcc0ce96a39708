// The result as a workbook (.xlsx) that a spreadsheet opens directly in any locale, set
// up to print as a report: one sheet, named by the design chart's label, holding the
// header with the values exactly as entered, the rows as the numbers the result file
// prints with the confirmed angle and, for the first rows, Bishop's factor of safety and
// steepest degree beside them, and a chart of the slope angle against the height.
#pragma once

#include "files/failure.hpp"
#include "files/output_file.hpp"
#include "sweep/chart_inputs.hpp"
#include "sweep/progress.hpp"
#include "sweep/stop.hpp"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zelm {

// The run's warnings, where its caller has them already (from the sweep of the result
// file, say); otherwise the workbook sweeps once more for them before its rows, which it
// writes only after the header that holds them.
using KnownWarnings = std::optional<std::vector<std::string>>;

// Writes the workbook under `name` (UTF-8), libxlsxwriter's own temporary files going to
// `folder` (the system's folder for them when empty). Nothing when it was written;
// otherwise why not, or that it was stopped: also when the sweep has more rows than a
// sheet holds, or when the sheet would not fit while it is put together (then nothing
// is written at all).
// `progress` is told the rows found and written, between two of them.
std::optional<Failure> write_workbook_at(const std::string& name, const std::filesystem::path& folder,
                                         const ChartInputs& entered, const KnownWarnings& warnings,
                                         const ShouldStop& stop, const TellProgress& progress = {});

// The workbook into `file`, committed once complete: an earlier workbook is replaced
// only then, and stays untouched otherwise.
std::optional<Failure> write_workbook(OutputFile& file, const ChartInputs& entered,
                                      const KnownWarnings& warnings, const ShouldStop& stop,
                                      const TellProgress& progress = {});

}  // namespace zelm
