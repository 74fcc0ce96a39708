#include "result/workbook_warnings.hpp"

#include <cstddef>
#include <string_view>

namespace zelm {
namespace {

// Characters a line may hold: the text runs on from the first column over the empty
// cells beside it, and about this many fit the width of the table and the chart.
constexpr std::size_t line_width = 100;

}  // namespace

std::vector<std::string> workbook_warning_lines(const std::vector<std::string>& warnings) {
    std::vector<std::string> lines;
    for (const std::string& warning : warnings) {
        std::string_view rest = warning;
        std::string line = "Warning:";
        while (!rest.empty()) {
            const std::size_t end = rest.find(' ');
            const std::string_view word = rest.substr(0, end);
            if (line.size() + 1 + word.size() > line_width) {
                lines.push_back(std::move(line));
                line.clear();
            }
            line.append(line.empty() ? "" : " ").append(word);
            rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

lxw_row_t write_warning_lines(lxw_worksheet* sheet, lxw_row_t row, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        worksheet_write_string(sheet, row++, 0, line.c_str(), nullptr);
    }
    return row;
}

}  // namespace zelm
