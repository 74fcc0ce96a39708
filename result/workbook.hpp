// The result as a workbook (.xlsx) that a spreadsheet opens directly in any locale: one
// sheet "ABAC 1" holding the result file's header and rows as numbers, and a chart of
// the slope angle against the height.
#pragma once

#include "sweep/chart_inputs.hpp"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace zelm {

// The rows a sheet holds under the result file's six header lines.
inline constexpr std::int64_t max_workbook_rows = 1048576 - 6;

// Writes the workbook to a temporary file beside `target` and moves it over `target`
// once complete. Nothing when it was written; otherwise the reason, with the earlier
// workbook untouched: also when the sweep has more rows than a sheet holds.
std::optional<std::string> write_workbook(const std::filesystem::path& target, const ChartInputs& entered);

}  // namespace zelm
