// The result as a workbook (.xlsx) that a spreadsheet opens directly in any locale: one
// sheet "ABAC 1" holding the result file's header and rows as numbers, and a chart of
// the slope angle against the height.
#pragma once

#include "files/failure.hpp"
#include "sweep/chart_inputs.hpp"

#include <cstdint>
#include <filesystem>
#include <optional>

namespace zelm {

// The rows a sheet holds under the result file's six header lines.
inline constexpr std::int64_t max_workbook_rows = 1048576 - 6;

// Writes the workbook, replacing any earlier one only once the new one is complete.
// Nothing when it was written; otherwise why not, with the earlier workbook untouched:
// also when the sweep has more rows than a sheet holds.
std::optional<Failure> write_workbook(const std::filesystem::path& target, const ChartInputs& entered);

}  // namespace zelm
