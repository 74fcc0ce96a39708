// The run's warnings in its workbook: the sentences standard error gives, written
// between the header and the column titles, where a reviewer reads them on the printed
// page before the table they are about (an empty angle column, a row of 90s).
#pragma once

#include <xlsxwriter.h>

#include <string>
#include <vector>

namespace zelm {

// The warnings of a run, each begun with "Warning: " and broken at spaces into lines
// that a printed page holds beside the table; none for a run without warnings.
std::vector<std::string> workbook_warning_lines(const std::vector<std::string>& warnings);

// Writes the lines in the first column from `row` down, one a row, and returns the row
// after the last.
lxw_row_t write_warning_lines(lxw_worksheet* sheet, lxw_row_t row, const std::vector<std::string>& lines);

}  // namespace zelm
