#include "result/workbook.hpp"

#include "files/file_names.hpp"
#include "files/write_file.hpp"
#include "result/quiet_standard_error.hpp"
#include "result/text_format.hpp"
#include "sweep/sweep.hpp"

#include <xlsxwriter.h>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <string_view>
#include <system_error>
#include <vector>

namespace zelm {
namespace {

namespace fs = std::filesystem;

constexpr const char* sheet_name = "ABAC 1";
constexpr lxw_row_t first_row = 6;  // under the six lines of the result file's header
constexpr lxw_col_t angle_column = 3;

// The number a cell of the result file shows, read back as a spreadsheet reads it: a
// decimal comma or point, a space in front. Nothing for an empty cell or a label.
// Formed on the stack: it runs for every cell of a sweep.
std::optional<double> number_in(std::string_view cell) {
    cell.remove_prefix(cell.starts_with(' ') ? 1 : 0);
    std::array<char, max_decimal_comma_length> text{};  // the longest number a cell prints
    if (cell.empty() || cell.size() > text.size()) {
        return std::nullopt;
    }
    std::replace_copy(cell.begin(), cell.end(), text.begin(), ',', '.');
    const char* const last = text.data() + cell.size();
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), last, value, std::chars_format::fixed);
    if (error != std::errc{} || end != last) {
        return std::nullopt;
    }
    return value;
}

// The header's Windows-1252 letters (a-grave, o-acute: both in its Latin-1 half) in UTF-8.
std::string utf8(std::string_view windows_1252) {
    std::string text;
    for (const char c : windows_1252) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | (byte >> 6U));
            text += static_cast<char>(0x80 | (byte & 0x3FU));
        }
    }
    return text;
}

std::vector<std::string_view> split(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> parts;
    for (std::size_t end = text.find(separator); end != std::string_view::npos; end = text.find(separator)) {
        parts.push_back(text.substr(0, end));
        text.remove_prefix(end + separator.size());
    }
    parts.push_back(text);
    return parts;
}

struct Formats {
    lxw_format* titles;        // the column titles
    lxw_format* one_decimal;   // the entered values
    lxw_format* fs;            // "FS 1.5", a number
    lxw_format* two_decimals;  // H, x and y
    lxw_format* whole;         // the angle
};

Formats add_formats(lxw_workbook* workbook) {
    const Formats formats{workbook_add_format(workbook), workbook_add_format(workbook),
                          workbook_add_format(workbook), workbook_add_format(workbook),
                          workbook_add_format(workbook)};
    format_set_bold(formats.titles);
    format_set_num_format(formats.one_decimal, "0.0");
    format_set_num_format(formats.fs, "\"FS \"0.0");
    format_set_num_format(formats.two_decimals, "0.00");
    format_set_num_format(formats.whole, "0");
    return formats;
}

// The result file's header, line for line and cell for cell: labels as text, the
// entered values as numbers, the line "ABAC 1 | FS 1.5" with FS as a number.
// Returns the chart's title, "ABAC 1 · FS 1.5".
std::string write_header(lxw_worksheet* sheet, const Formats& formats, const ChartInputs& entered) {
    std::string title;
    const std::string header = header_text(entered);
    const auto lines = split(header, "\r\n");
    for (lxw_row_t row = 0; row < first_row; ++row) {
        const auto cells = split(lines[row], "\t");
        for (std::size_t index = 0; index < cells.size(); ++index) {
            const auto column = static_cast<lxw_col_t>(index);  // four at the most
            const std::string_view cell = cells[index];
            if (const auto value = number_in(cell)) {
                worksheet_write_number(sheet, row, column, *value, formats.one_decimal);
            } else if (const auto fs = cell.starts_with("FS ") ? number_in(cell.substr(3)) : std::nullopt) {
                worksheet_write_number(sheet, row, column, *fs, formats.fs);
                title = utf8(cells[0]) + " \xC2\xB7 " + std::string(cell);
            } else if (!cell.empty()) {
                worksheet_write_string(sheet, row, column, utf8(cell).c_str(),
                                       row == first_row - 1 ? formats.titles : nullptr);
            }
        }
    }
    return title;
}

// One row per height, each cell the number its text cell prints (0.38, not the
// 0.384999 behind it; 86, not 85.8958), an empty text cell an empty cell.
void write_rows(lxw_worksheet* sheet, const Formats& formats, const ChartInputs& entered) {
    RowWriter rows;
    std::array<char, RowWriter::max_length> buffer{};
    lxw_row_t row = first_row;
    sweep(entered, [&](const SweepRow& swept) {
        std::string_view cells(buffer.data(), static_cast<std::size_t>(rows.put(buffer.data(), swept) - buffer.data()));
        for (lxw_col_t column = 0; column <= angle_column; ++column) {
            const auto tab = cells.find('\t');
            if (const auto value = number_in(cells.substr(0, tab))) {
                worksheet_write_number(sheet, row, column, *value,
                                       column == angle_column ? formats.whole : formats.two_decimals);
            }
            cells.remove_prefix(tab + 1);  // every cell of a row ends in a TAB
        }
        ++row;
        return true;
    });
}

// A scatter chart with lines of the angle against H, beside the table.
void add_chart(lxw_workbook* workbook, lxw_worksheet* sheet, const std::string& title, lxw_row_t rows) {
    lxw_chart* chart = workbook_add_chart(workbook, LXW_CHART_SCATTER_STRAIGHT);
    lxw_chart_series* series = chart_add_series(chart, nullptr, nullptr);
    chart_series_set_categories(series, sheet_name, first_row, 0, first_row + rows - 1, 0);
    chart_series_set_values(series, sheet_name, first_row, angle_column, first_row + rows - 1, angle_column);
    chart_title_set_name(chart, title.c_str());
    chart_axis_set_name(chart->x_axis, "H (m)");
    chart_axis_set_name(chart->y_axis, "angle (graus)");
    chart_legend_set_position(chart, LXW_CHART_LEGEND_NONE);
    lxw_chart_options placement{};
    placement.x_scale = 1.5;
    placement.y_scale = 1.5;
    worksheet_insert_chart_opt(sheet, first_row, angle_column + 2, chart, &placement);
}

// Why libxlsxwriter failed, in the system's words where it left an errno, otherwise
// in the program's own.
std::string failure_reason(lxw_error error, int error_number) {
    if (error_number != 0) {
        return system_reason(error_number);
    }
    switch (error) {
        case LXW_ERROR_MEMORY_MALLOC_FAILED:
            return system_reason(ENOMEM);
        case LXW_ERROR_CREATING_XLSX_FILE:
        case LXW_ERROR_CREATING_TMPFILE:
            return "the file could not be created";
        default:
            return "the workbook could not be put together (libxlsxwriter error " +
                   std::to_string(static_cast<int>(error)) + ")";
    }
}

// The rows wait in a temporary file; closing the workbook copies them into the sheet
// and zips that, and libxlsxwriter does not check those writes. So the rows must have
// reached their file, and the folder must have room for the copy and the zip (at most
// as large as the copy), each within the file-size limit: otherwise the errno to report.
int room_for_closing(lxw_worksheet* sheet, const std::string& folder) {
    lxw_worksheet_write_single_row(sheet);  // the last row is written only when closing otherwise
    FILE* rows = sheet->optimize_tmpfile;
    errno = 0;
    if (rows == nullptr) {
        return 0;
    }
    if (std::fflush(rows) != 0 || std::ferror(rows) != 0) {
        return errno != 0 ? errno : EIO;
    }
    // Beyond the rows: the sheet's head and foot, and the workbook's other parts.
    constexpr std::uintmax_t headroom = std::uintmax_t{1} << 16U;
    const auto row_bytes = static_cast<std::uintmax_t>(std::max(0L, std::ftell(rows)));
    std::error_code unknown;
    const fs::space_info space = fs::space(folder, unknown);
    if (!unknown && space.available < 2 * (row_bytes + headroom)) {
        return ENOSPC;
    }
#ifdef RLIMIT_FSIZE
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
        limit.rlim_cur < row_bytes + headroom) {
        return EFBIG;
    }
#endif
    return 0;
}

// The workbook at `file`: a temporary beside the target, or a device written into.
std::optional<Failure> write_workbook_file(const fs::path& file, bool temporary, const ChartInputs& entered,
                                           std::int32_t rows) {
    const QuietStandardError quiet;  // libxlsxwriter prints its own diagnostics there
    // Constant-memory mode keeps the rows in a temporary file until the workbook is
    // put together: memory stays flat in the row count. That file goes beside the
    // workbook (when the folder can be written), where its room is checked; for a
    // device, in the system's folder for temporary files.
    std::error_code no_folder;
    std::string folder = temporary ? narrow_name(fs::absolute(file, no_folder).parent_path()) : std::string();
    if (no_folder) {
        return Failure{system_reason(no_folder.value())};
    }
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = temporary ? folder.data() : nullptr;
    errno = 0;
    lxw_workbook* workbook = workbook_new_opt(narrow_name(file).c_str(), &options);
    if (workbook == nullptr) {
        return Failure{system_reason(errno != 0 ? errno : ENOMEM)};
    }
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, sheet_name);
    int unwritten = sheet == nullptr ? (errno != 0 ? errno : EIO) : 0;
    if (sheet != nullptr) {
        worksheet_set_column(sheet, 0, 0, 12, nullptr);
        worksheet_set_column(sheet, 1, 2, 16, nullptr);
        worksheet_set_column(sheet, angle_column, angle_column, 8, nullptr);
        worksheet_freeze_panes(sheet, first_row, 0);
        const Formats formats = add_formats(workbook);
        const std::string title = write_header(sheet, formats, entered);
        write_rows(sheet, formats, entered);
        if (rows > 0) {
            add_chart(workbook, sheet, title, static_cast<lxw_row_t>(rows));
        }
        unwritten = temporary ? room_for_closing(sheet, folder) : 0;
    }
    errno = 0;
    const lxw_error closed = workbook_close(workbook);
    const int close_error = errno;
    if (unwritten != 0) {
        return Failure{system_reason(unwritten)};
    }
    if (closed != LXW_NO_ERROR) {
        return Failure{failure_reason(closed, close_error)};
    }
    return std::nullopt;
}

}  // namespace

std::optional<Failure> write_workbook(const fs::path& target, const ChartInputs& entered) {
    const std::int32_t rows = row_count(entered.height, entered.definition);
    if (rows > max_workbook_rows) {
        return Failure{"the sweep has " + std::to_string(rows) + " rows and a sheet holds " +
                       std::to_string(max_workbook_rows) + " under the header; a larger step gives fewer rows"};
    }
    return write_file_under(target, [&](const fs::path& file, bool temporary) {
        return write_workbook_file(file, temporary, entered, rows);
    });
}

}  // namespace zelm
