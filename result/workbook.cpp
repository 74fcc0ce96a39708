#include "result/workbook.hpp"

#include "files/file_names.hpp"
#include "files/room.hpp"
#include "messages/columns.hpp"
#include "messages/files.hpp"
#include "messages/header.hpp"
#include "messages/render.hpp"
#include "messages/warnings.hpp"
#include "numbers/writing.hpp"
#include "result/workbook_warnings.hpp"
#include "sweep/bishop_answer.hpp"
#include "sweep/bishop_columns.hpp"
#include "sweep/sweep.hpp"

#include <xlsxwriter.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zelm {
namespace {

namespace fs = std::filesystem;

constexpr lxw_col_t angle_column = 3;
constexpr lxw_col_t confirmed_column = 4;     // the confirmed angle, beside the file's angle
constexpr lxw_col_t bishop_fs_column = 5;     // Bishop's FS of the printed angle
constexpr lxw_col_t bishop_angle_column = 6;  // the steepest whole degree reaching FS by Bishop's

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
            } else if (!cell.text(entered).empty()) {
                const bool titles = &line == &header_lines().back();
                const std::string label = utf8(cell.shown_label(entered));
                worksheet_write_string(sheet, row, column, label.c_str(),
                                       titles ? formats.titles() : nullptr);
            }
        }
        ++row;
    }
    // Beside the result file's columns, the confirmed angle and Bishop's, which the file
    // does not hold.
    for (const auto& [column, title] : {std::pair{confirmed_column, column_titles.confirmed_angle},
                                        std::pair{bishop_fs_column, column_titles.bishop_fs},
                                        std::pair{bishop_angle_column, column_titles.bishop_angle}}) {
        worksheet_write_string(sheet, row - 1, column, utf8(title).c_str(), formats.titles());
    }
    return row - 1;
}

// The first rows of the run, with their Bishop cells, found before the header, which
// says why some are empty; the sweep goes on from them for the rest.
struct FirstRows {
    std::vector<SweepRow> rows;
    std::vector<BishopCells> cells;
    BishopFindings findings;
    bool stopped = false;
};

FirstRows first_rows(Sweep& sweep, const ChartInputs& entered, const ShouldStop& stop,
                     const TellProgress& progress) {
    FirstRows first;
    BishopColumns bishop(entered, sweep.rows());
    const auto count = static_cast<std::size_t>(std::clamp(sweep.rows(), 0, bishop_rows));
    first.rows.reserve(count);
    first.cells.reserve(count);
    while (static_cast<std::int32_t>(first.rows.size()) < bishop_rows) {
        if (asked_to_stop(stop)) {
            first.stopped = true;
            break;
        }
        const SweepRow* row = sweep.next();
        if (row == nullptr) {
            break;
        }
        first.rows.push_back(*row);
        first.cells.push_back(bishop.next(*row));
        tell_progress(progress, sweep.summary().rows, sweep.rows());  // each takes a search or more
    }
    first.findings = bishop.findings();
    return first;
}

// One row per height, each cell the number its text cell prints (0.38, not the
// 0.384999 behind it; 86, not 85.8958), taken from the same split into whole part and
// hundredths that prints it; an empty text cell is an empty cell. The first rows with
// their Bishop cells, then the rest of the sweep. Stops, between two rows, when asked to,
// and tells the rows of the sweep taken so far every so often.
struct RowsWritten {
    SweepSummary summary;
    bool stopped = false;
};

RowsWritten write_rows(lxw_worksheet* sheet, Formats& formats, const FirstRows& first, Sweep& rest,
                       lxw_row_t first_row, const ShouldStop& stop, const TellProgress& progress) {
    constexpr std::int32_t rows_between_tellings = 1024;
    lxw_format* const two_decimals = formats.number("0.00");
    lxw_format* const whole = formats.number("0");
    lxw_format* const thousandths = formats.number("0.000");
    lxw_row_t row = first_row;
    const auto put = [&](const SweepRow& swept) {
        const std::array<float, angle_column> numbers{swept.height, swept.x, swept.y};
        for (lxw_col_t column = 0; column < angle_column; ++column) {
            if (const auto number = decimal_comma(numbers[column])) {
                worksheet_write_number(sheet, row, column, number->value(), two_decimals);
            }
        }
        if (!has_empty_angle(swept)) {
            worksheet_write_number(sheet, row, angle_column, whole_value(*swept.angle), whole);
        }
        if (swept.confirmed) {
            worksheet_write_number(sheet, row, confirmed_column, static_cast<double>(*swept.confirmed),
                                   whole);
        }
    };
    RowsWritten written;
    for (std::size_t i = 0; i < first.rows.size() && !written.stopped; ++i, ++row) {
        put(first.rows[i]);
        if (const auto fs = first.cells[i].factor_of_safety) {
            worksheet_write_number(sheet, row, bishop_fs_column, *fs, thousandths);
        }
        if (const auto steepest = first.cells[i].steepest) {
            worksheet_write_number(sheet, row, bishop_angle_column, *steepest, whole);
        }
        written.stopped = asked_to_stop(stop);
    }
    // Beyond them, the first row says where Bishop's cells stop, where the reader sees it.
    const std::string stops = render(where_bishop_stops(first.findings));
    for (bool said = false; !written.stopped; said = true) {
        const SweepRow* swept = rest.next();
        if (swept == nullptr) {
            break;
        }
        put(*swept);
        if (!said) {
            worksheet_write_string(sheet, row, bishop_fs_column, stops.c_str(), nullptr);
        }
        ++row;
        written.stopped = asked_to_stop(stop);
        if (rest.summary().rows % rows_between_tellings == 0) {
            tell_progress(progress, rest.summary().rows, rest.rows());
        }
    }
    written.summary = rest.summary();
    return written;
}

// A scatter chart with lines of the angle against H, beside the table's first rows: on
// the first page, below the column titles (which repeat on every page, and would carry
// a piece of a chart that overlapped them). H runs from 0 to the last height, the
// angle from 0 to 90 with a line every 10.
void add_chart(lxw_workbook* workbook, lxw_worksheet* sheet, const std::string& title, lxw_row_t first_row,
               const SweepSummary& run, const ChartInputs& entered) {
    const auto last_row = static_cast<lxw_row_t>(first_row + static_cast<lxw_row_t>(run.rows) - 1);
    lxw_chart* chart = workbook_add_chart(workbook, LXW_CHART_SCATTER_STRAIGHT);
    lxw_chart_series* series = chart_add_series(chart, nullptr, nullptr);
    const std::string sheet_name(entered.chart->label);
    chart_series_set_categories(series, sheet_name.c_str(), first_row, 0, last_row, 0);
    chart_series_set_values(series, sheet_name.c_str(), first_row, angle_column, last_row, angle_column);
    chart_title_set_name(chart, title.c_str());
    chart_axis_set_name(chart->x_axis, std::string(column_titles.height).c_str());
    chart_axis_set_name(chart->y_axis, std::string(column_titles.angle).c_str());
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
    worksheet_insert_chart_opt(sheet, first_row, bishop_angle_column + 2, chart, &placement);
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
    worksheet_set_footer(sheet, page_footer);
    std::string comments = workbook_comments(entered);
    std::string subject = workbook_subject(entered);
    std::string keywords = workbook_keywords(entered);
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
Failure failure_of(lxw_error error, int error_number) {
    if (error_number != 0) {
        return Failure::system(error_number);
    }
    switch (error) {
        case LXW_ERROR_MEMORY_MALLOC_FAILED:
            return Failure::system(ENOMEM);
        case LXW_ERROR_CREATING_XLSX_FILE:
        case LXW_ERROR_CREATING_TMPFILE:
            return Failure(workbook_not_created());
        default:
            return Failure(workbook_not_put_together(static_cast<int>(error)));
    }
}

// The rows wait in a temporary file of libxlsxwriter's until the workbook is closed,
// which copies them into the sheet and zips that; and libxlsxwriter does not check
// those writes, so a sheet that does not fit would be cut short without a word. A sheet
// takes at most this much a row: the row's element and five cells, each with its
// reference, its style and a number of at most 24 characters; and two cells more in the
// rows with Bishop's.
constexpr std::uintmax_t sheet_bytes_per_row = 290;
constexpr std::uintmax_t bishop_bytes_per_row = 110;
// Beyond the rows: the sheet's head and foot, and the workbook's other parts.
constexpr std::uintmax_t sheet_headroom = std::uintmax_t{1} << 16U;

// Whether the sheet of `rows` rows fits where libxlsxwriter puts its temporary files
// (`folder`) before anything is written: within the file-size limit, and with room for
// the rows and their copy in the sheet (the zip, at most as large, goes beside them).
// Says what was checked and what was found when it does not.
std::optional<Failure> room_for(std::int32_t rows, const fs::path& folder) {
    const auto with_bishop = static_cast<std::uintmax_t>(std::min(rows, bishop_rows));
    const std::uintmax_t sheet = static_cast<std::uintmax_t>(rows) * sheet_bytes_per_row +
                                 with_bishop * bishop_bytes_per_row + sheet_headroom;
    const auto no_room = room_for_files(sheet, 2 * sheet, folder);
    if (!no_room) {
        return std::nullopt;
    }
    if (no_room->limit == NoRoom::Limit::file_size) {
        return Failure::system(EFBIG, sheet_beyond_size_limit(rows, sheet, no_room->room));
    }
    return Failure::system(ENOSPC,
                           sheet_beyond_free_space(rows, 2 * sheet, utf8_name(folder), no_room->room));
}

// The sheet's columns, header, pages and rows (the first ones found already, the rest
// from the sweep), and the chart of a run that was not stopped; true when a stop came
// meanwhile.
bool fill_sheet(lxw_workbook* workbook, lxw_worksheet* sheet, const ChartInputs& entered,
                const std::vector<std::string>& warnings, const FirstRows& first, Sweep& rest,
                const ShouldStop& stop, const TellProgress& progress) {
    worksheet_set_column(sheet, 0, 0, 12, nullptr);
    worksheet_set_column(sheet, 1, 2, 16, nullptr);
    worksheet_set_column(sheet, angle_column, angle_column, 13, nullptr);
    worksheet_set_column(sheet, confirmed_column, confirmed_column, 22, nullptr);
    worksheet_set_column(sheet, bishop_fs_column, bishop_fs_column, 11, nullptr);
    worksheet_set_column(sheet, bishop_angle_column, bishop_angle_column, 19, nullptr);
    Formats formats(workbook);
    const lxw_row_t titles_row = write_header(sheet, formats, entered, warnings);
    worksheet_freeze_panes(sheet, titles_row + 1, 0);
    const std::string title = chart_title(entered);
    set_up_pages(workbook, sheet, title, titles_row, entered);
    const RowsWritten run = write_rows(sheet, formats, first, rest, titles_row + 1, stop, progress);
    if (run.summary.rows > 0 && !run.stopped) {
        add_chart(workbook, sheet, title, titles_row + 1, run.summary, entered);
    }
    return run.stopped;
}

// More rows than a sheet holds under the header and the warning lines.
std::optional<Failure> beyond_a_sheet(std::int32_t rows, std::int32_t max_rows,
                                      const std::vector<std::string>& warnings) {
    const auto room = max_rows - static_cast<std::int32_t>(warnings.size());
    if (rows > room) {
        return Failure(rows_beyond_a_sheet(rows, room, !warnings.empty()));
    }
    return std::nullopt;
}

// The workbook made, filled and closed: nothing when it was written.
std::optional<Failure> put_together(const std::string& name, const fs::path& folder,
                                    const ChartInputs& entered, const std::vector<std::string>& warnings,
                                    const FirstRows& first, Sweep& rest, const ShouldStop& stop,
                                    const TellProgress& progress) {
    // Constant-memory mode keeps the rows in a temporary file until the workbook is
    // put together: memory stays flat in the row count. That file goes in `folder`,
    // where its room was checked, or in the system's folder for temporary files.
    std::string rows_folder = folder.empty() ? std::string() : utf8_name(folder);
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = rows_folder.empty() ? nullptr : rows_folder.data();
    errno = 0;
    lxw_workbook* workbook = workbook_new_opt(name.c_str(), &options);
    if (workbook == nullptr) {
        return Failure::system_or(errno, ENOMEM);
    }
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, std::string(entered.chart->label).c_str());
    const std::optional<Failure> unwritten =
        sheet == nullptr ? std::optional(Failure::system_or(errno, EIO)) : std::nullopt;
    const bool stopped =
        sheet != nullptr && fill_sheet(workbook, sheet, entered, warnings, first, rest, stop, progress);
    // Closed even when stopped, which frees what the library holds: a stop may wait for it.
    errno = 0;
    const lxw_error closed = workbook_close(workbook);
    const int close_error = errno;
    if (stopped || asked_to_stop(stop)) {
        return Failure::stop();
    }
    if (unwritten) {
        return unwritten;
    }
    if (closed != LXW_NO_ERROR) {
        return failure_of(closed, close_error);
    }
    return std::nullopt;
}

}  // namespace

std::optional<Failure> write_workbook_at(const std::string& name, const fs::path& folder,
                                         const ChartInputs& entered, const KnownWarnings& known,
                                         const ShouldStop& stop, const TellProgress& progress) {
    // The rows a sheet holds under the header, and under the warnings too, where the
    // sweep would fit without them: only then is it taken for the warnings.
    const auto max_rows = static_cast<std::int32_t>(1048576 - header_lines().size());
    const std::int32_t rows = row_count(entered.height, entered.definition);
    std::vector<std::string> warnings;
    if (known) {
        warnings = workbook_warning_lines(*known);
    } else if (rows <= max_rows) {
        warnings = workbook_warning_lines(
            zelm::warnings(entered, sweep(entered, [](const SweepRow&) { return true; })));
    }
    if (auto refused = beyond_a_sheet(rows, max_rows, warnings)) {
        return refused;
    }
    if (auto no_room = room_for(rows, folder.empty() ? fs::temp_directory_path() : folder)) {
        return no_room;
    }
    // Bishop's cells of the first rows, found before the header that says why some are
    // empty.
    Sweep rest(entered);
    const FirstRows first = first_rows(rest, entered, stop, progress);
    if (first.stopped) {
        return Failure::stop();
    }
    std::vector<std::string> bishop_said;
    for (const Diagnostic& note : bishop_notes(first.findings, entered)) {
        bishop_said.push_back(render(note));
    }
    const auto notes = workbook_warning_lines(bishop_said);
    warnings.insert(warnings.end(), notes.begin(), notes.end());
    if (auto refused = beyond_a_sheet(rows, max_rows, warnings)) {
        return refused;
    }
    return put_together(name, folder, entered, warnings, first, rest, stop, progress);
}

std::optional<Failure> write_workbook(OutputFile& file, const ChartInputs& entered,
                                      const KnownWarnings& warnings, const ShouldStop& stop,
                                      const TellProgress& progress) {
    if (auto failure = write_workbook_at(file.name(), file.folder(), entered, warnings, stop, progress)) {
        return failure;
    }
    return file.commit();
}

}  // namespace zelm
