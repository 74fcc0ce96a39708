#include "result/workbook.hpp"

#include "files/file_names.hpp"
#include "files/interruption.hpp"
#include "files/write_file.hpp"
#include "numbers/writing.hpp"
#include "result/header.hpp"
#include "result/quiet_standard_error.hpp"
#include "result/workbook_warnings.hpp"
#include "sweep/sweep.hpp"

#include <xlsxwriter.h>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace zelm {
namespace {

namespace fs = std::filesystem;

constexpr const char* sheet_name = "ABAC 1";
constexpr lxw_col_t angle_column = 3;

// The header's Windows-1252 letters (a-grave, o-acute, c-cedilla: all in its Latin-1
// half) in UTF-8.
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

// The number format that shows a value typed as `typed` (the float's shortest decimal)
// with the same decimals: "0.00" for 1.25, "0" for 30; General for one in exponent form.
std::string format_of(const std::string& typed) {
    if (typed.find_first_of("eE") != std::string::npos) {
        return "General";
    }
    const auto point = typed.find('.');
    return point == std::string::npos ? "0" : "0." + std::string(typed.size() - point - 1, '0');
}

// The workbook's formats, each made once: libxlsxwriter looks up a format that equals
// one made before (by its hash, on every cell) instead of giving it an index of its own.
class Formats {
  public:
    explicit Formats(lxw_workbook* workbook) : workbook_(workbook), titles_(workbook_add_format(workbook)) {
        format_set_bold(titles_);
    }

    lxw_format* titles() const { return titles_; }  // the column titles

    // A number shown with this number format ("0.00", "\"FS \"0.0").
    lxw_format* number(const std::string& number_format) {
        lxw_format*& format = numbers_[number_format];
        if (format == nullptr) {
            format = workbook_add_format(workbook_);
            format_set_num_format(format, number_format.c_str());
        }
        return format;
    }

  private:
    lxw_workbook* workbook_;
    lxw_format* titles_;
    std::map<std::string, lxw_format*> numbers_;
};

// The header, every line of it: labels as text, the values as entered as numbers
// (0.15, not the 0.150000006 of its float, nor the 0.2 the result file prints), and
// the column titles, bold, with their units, and the run's warnings just above them.
// Returns the row of the column titles.
lxw_row_t write_header(lxw_worksheet* sheet, Formats& formats, const ChartInputs& entered,
                       const std::vector<std::string>& warnings) {
    lxw_row_t row = 0;
    for (const HeaderLine& line : header_lines()) {
        row = &line == &header_lines().back() ? write_warning_lines(sheet, row, warnings) : row;
        for (std::size_t index = 0; index < line.count; ++index) {
            const HeaderCell& cell = line.cells[index];
            const auto column = static_cast<lxw_col_t>(index);
            if (cell.value != nullptr) {
                const float value = entered.*cell.value;
                // "FS " before the number is a part of its format: the cell stays a number.
                const std::string prefix = cell.label.empty() ? "" : "\"" + std::string(cell.label) + "\"";
                worksheet_write_number(sheet, row, column, typed_value(value),
                                       formats.number(prefix + format_of(shortest(value))));
            } else if (!cell.label.empty()) {
                const bool titles = &line == &header_lines().back();
                const std::string label = utf8(cell.shown_label());
                worksheet_write_string(sheet, row, column, label.c_str(),
                                       titles ? formats.titles() : nullptr);
            }
        }
        ++row;
    }
    return row - 1;
}

// One row per height, each cell the number its text cell prints (0.38, not the
// 0.384999 behind it; 86, not 85.8958), taken from the same split into whole part and
// hundredths that prints it; an empty text cell is an empty cell.
SweepSummary write_rows(lxw_worksheet* sheet, Formats& formats, const ChartInputs& entered,
                        lxw_row_t first_row) {
    lxw_format* const two_decimals = formats.number("0.00");
    lxw_format* const whole = formats.number("0");
    lxw_row_t row = first_row;
    return sweep(entered, [&](const SweepRow& swept) {
        const std::array<float, angle_column> numbers{swept.height, swept.x, swept.y};
        for (lxw_col_t column = 0; column < angle_column; ++column) {
            if (const auto number = decimal_comma(numbers[column])) {
                worksheet_write_number(sheet, row, column, number->value(), two_decimals);
            }
        }
        if (!has_empty_angle(swept)) {
            worksheet_write_number(sheet, row, angle_column, whole_value(*swept.angle), whole);
        }
        ++row;
        return true;
    });
}

// A scatter chart with lines of the angle against H, beside the table's first rows: on
// the first page, below the column titles (which repeat on every page, and would carry
// a piece of a chart that overlapped them). H runs from 0 to the last height, the
// angle from 0 to 90 with a line every 10.
void add_chart(lxw_workbook* workbook, lxw_worksheet* sheet, const std::string& title, lxw_row_t first_row,
               const SweepSummary& run) {
    const auto last_row = static_cast<lxw_row_t>(first_row + static_cast<lxw_row_t>(run.rows) - 1);
    lxw_chart* chart = workbook_add_chart(workbook, LXW_CHART_SCATTER_STRAIGHT);
    lxw_chart_series* series = chart_add_series(chart, nullptr, nullptr);
    chart_series_set_categories(series, sheet_name, first_row, 0, last_row, 0);
    chart_series_set_values(series, sheet_name, first_row, angle_column, last_row, angle_column);
    chart_title_set_name(chart, title.c_str());
    chart_axis_set_name(chart->x_axis, "H (m)");
    chart_axis_set_name(chart->y_axis, "angle (graus)");
    const auto last = decimal_comma(run.last_height);
    const double last_height = last ? last->value() : 0.0;
    chart_axis_set_min(chart->x_axis, std::min(0.0, last_height));
    chart_axis_set_max(chart->x_axis, std::max(0.0, last_height));
    chart_axis_set_min(chart->y_axis, 0.0);
    chart_axis_set_max(chart->y_axis, 90.0);
    chart_axis_set_major_unit(chart->y_axis, 10.0);
    chart_axis_major_gridlines_set_visible(chart->y_axis, LXW_TRUE);
    chart_legend_set_position(chart, LXW_CHART_LEGEND_NONE);
    lxw_chart_options placement{};
    placement.x_scale = 1.3;
    placement.y_scale = 1.3;
    placement.y_offset = 8;  // clear of the titles' row: an edge on it would print on every page
    worksheet_insert_chart_opt(sheet, first_row, angle_column + 2, chart, &placement);
}

// Pages to hand in: A4 landscape, one page wide, the column titles on every page, the
// chart's title above and the file, the date and the page number below; and the
// document's own properties.
void set_up_pages(lxw_workbook* workbook, lxw_worksheet* sheet, const std::string& title,
                  lxw_row_t titles_row, const ChartInputs& entered) {
    constexpr std::uint8_t a4 = 9;
    worksheet_set_landscape(sheet);
    worksheet_set_paper(sheet, a4);
    worksheet_fit_to_pages(sheet, 1, 0);
    worksheet_repeat_rows(sheet, titles_row, titles_row);
    const std::string header = "&C&\"-,Bold\"" + title;
    worksheet_set_header(sheet, header.c_str());
    worksheet_set_footer(sheet, "&L&F&C&D&Rpage &P of &N");
    std::string comments = "phi " + shortest(entered.friction_angle) + " graus, C' " +
                           shortest(entered.cohesion) + " Tn/m2, d " + shortest(entered.density) +
                           " Tn/m3, H " + shortest(entered.height) + " m, pas " +
                           shortest(entered.definition) + " m, FS " + shortest(entered.security_factor);
    // In UTF-8, written as bytes like the labels: u-acute, c-cedilla, a-grave.
    std::string subject =
        "Angle del tal\xC3\xBAs per a cada al\xC3\xA7"
        "ada, llegit de l'\xC3\xA0"
        "bac 1";
    std::string keywords = "tal\xC3\xBAs, estabilitat, ABAC 1, factor de seguretat, zelm-fs";
    std::string title_text = title;
    lxw_doc_properties properties{};
    properties.title = title_text.data();
    properties.subject = subject.data();
    properties.keywords = keywords.data();
    properties.comments = comments.data();
    workbook_set_properties(workbook, &properties);
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
                                           const std::vector<std::string>& warnings) {
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
    // libxlsxwriter makes its temporary files (the rows', here; the parts', when closing)
    // and unlinks them a moment later: a stop waits for those moments.
    lxw_workbook* workbook = nullptr;
    lxw_worksheet* sheet = nullptr;
    {
        const StopsHeldBack held;
        errno = 0;
        workbook = workbook_new_opt(narrow_name(file).c_str(), &options);
        if (workbook == nullptr) {
            return Failure{system_reason(errno != 0 ? errno : ENOMEM)};
        }
        sheet = workbook_add_worksheet(workbook, sheet_name);
    }
    int unwritten = sheet == nullptr ? (errno != 0 ? errno : EIO) : 0;
    if (sheet != nullptr) {
        worksheet_set_column(sheet, 0, 0, 12, nullptr);
        worksheet_set_column(sheet, 1, 2, 16, nullptr);
        worksheet_set_column(sheet, angle_column, angle_column, 13, nullptr);
        Formats formats(workbook);
        const lxw_row_t titles_row = write_header(sheet, formats, entered, warnings);
        worksheet_freeze_panes(sheet, titles_row + 1, 0);
        const std::string title = chart_title(entered);
        set_up_pages(workbook, sheet, title, titles_row, entered);
        const SweepSummary run = write_rows(sheet, formats, entered, titles_row + 1);
        if (run.rows > 0) {
            add_chart(workbook, sheet, title, titles_row + 1, run);
        }
        unwritten = temporary ? room_for_closing(sheet, folder) : 0;
    }
    lxw_error closed = LXW_NO_ERROR;
    int close_error = 0;
    {
        const StopsHeldBack held;
        errno = 0;
        closed = workbook_close(workbook);
        close_error = errno;
    }
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
    // The rows a sheet holds under the header, and under the warnings too, where the
    // sweep would fit without them.
    const auto max_rows = static_cast<std::int32_t>(1048576 - header_lines().size());
    const std::int32_t rows = row_count(entered.height, entered.definition);
    const auto warnings = rows <= max_rows ? workbook_warning_lines(entered) : std::vector<std::string>();
    const auto room = max_rows - static_cast<std::int32_t>(warnings.size());
    if (rows > room) {
        return Failure{"the sweep has " + std::to_string(rows) + " rows and a sheet holds " +
                       std::to_string(room) +
                       (warnings.empty() ? " under the header" : " under the header and the run's warnings") +
                       "; a larger step gives fewer rows"};
    }
    return write_file_under(target, [&](const fs::path& file, bool temporary) {
        return write_workbook_file(file, temporary, entered, warnings);
    });
}

}  // namespace zelm
