// The result file: the header and one row per height of the sweep, written so that a
// failed run never leaves it half-written and never loses the file of an earlier run.
#pragma once

#include "sweep/chart_inputs.hpp"

#include <filesystem>
#include <optional>
#include <string>

namespace zelm {

inline constexpr const char* result_file_name = "ZELM_FS_result.xls";

struct ResultFileReport {
    // The system's reason when the file could not be written; the earlier file, if
    // any, is then untouched and no temporary file is left behind.
    std::optional<std::string> failure;
    // Some row has an empty angle cell: chart 1 gave no angle for the run's x.
    bool empty_angle_cells = false;
    float x = 0.0F;  // the run's x, for the message about empty angle cells
};

// Writes the header (values as entered) and one row per height of the sweep to a
// temporary file beside `target`, then moves it over `target` once it is complete
// and closed without error.
ResultFileReport write_result_file(const std::filesystem::path& target, const ChartInputs& entered);

}  // namespace zelm
