// The result as a workbook (.xlsx) that a spreadsheet opens directly in any locale, set
// up to print as a report: one sheet "ABAC 1" holding the header with the values
// exactly as entered, the rows as the numbers the result file prints, and a chart of
// the slope angle against the height.
#pragma once

#include "files/failure.hpp"
#include "sweep/chart_inputs.hpp"

#include <filesystem>
#include <optional>

namespace zelm {

// Writes the workbook, replacing any earlier one only once the new one is complete.
// Nothing when it was written; otherwise why not, with the earlier workbook untouched:
// also when the sweep has more rows than a sheet holds.
std::optional<Failure> write_workbook(const std::filesystem::path& target, const ChartInputs& entered);

}  // namespace zelm
