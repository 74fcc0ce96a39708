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

namespace {

namespace fs = std::filesystem;

// A number as its text cell prints it (0.38, not the 0.384999 behind it), taken from the
// same split into whole part and hundredths that prints it; nothing for an empty cell.
std::optional<double> cell_of(float value) {
    const auto cell = decimal_comma(value);
    return cell ? std::optional(cell->value()) : std::nullopt;
}

// The sheet's columns, in their order: the title (messages/columns.hpp), the width, the
// number format, and the number a row's cell holds, nothing for an empty cell. The result
// file's four first, then the confirmed angle and Bishop's, which the file does not hold
// (`bishop` null where the row has no Bishop cells).
struct SheetColumn {
    std::string_view ColumnTitles::*title;
    double width;
    const char* format;
    std::optional<double> (*cell)(const SweepRow& row, const BishopCells* bishop);
};

constexpr std::array<SheetColumn, 7> sheet_columns{{
    {&ColumnTitles::height, 12, "0.00",
     [](const SweepRow& r, const BishopCells*) { return cell_of(r.height); }},
    {&ColumnTitles::x, 16, "0.00", [](const SweepRow& r, const BishopCells*) { return cell_of(r.x); }},
    {&ColumnTitles::y, 16, "0.00", [](const SweepRow& r, const BishopCells*) { return cell_of(r.y); }},
    {&ColumnTitles::angle, 13, "0",
     [](const SweepRow& r, const BishopCells*) {
         return has_empty_angle(r) ? std::nullopt : std::optional(whole_value(*r.angle));
     }},
    {&ColumnTitles::confirmed_angle, 22, "0",
     [](const SweepRow& r, const BishopCells*) {
         return r.confirmed ? std::optional(static_cast<double>(*r.confirmed)) : std::nullopt;
     }},
    {&ColumnTitles::bishop_fs, 11, "0.000",
     [](const SweepRow&, const BishopCells* b) { return b != nullptr ? b->factor_of_safety : std::nullopt; }},
    {&ColumnTitles::bishop_angle, 19, "0",
     [](const SweepRow&, const BishopCells* b) {
         return b != nullptr && b->steepest ? std::optional(static_cast<double>(*b->steepest)) : std::nullopt;
     }},
}};

// Where a column stands: the angle's, which the chart draws.
constexpr lxw_col_t column_of(std::string_view ColumnTitles::*title) {
    for (std::size_t i = 0; i < sheet_columns.size(); ++i) {
        if (sheet_columns[i].title == title) {
            return static_cast<lxw_col_t>(i);
        }
    }
    return 0;
}
constexpr lxw_col_t angle_column = column_of(&ColumnTitles::angle);

// The columns of the probability of failure, where it is asked for, after the others: the
// title, the width; each cell a share shown as a percentage.
struct StudyColumn {
    std::string_view ColumnTitles::*title;
    double width;
    std::optional<double> FailureCells::*cell;
};
constexpr std::array<StudyColumn, 2> study_columns{{
    {&ColumnTitles::failure_probability, 11, &FailureCells::probability},
    {&ColumnTitles::failure_upper, 18, &FailureCells::upper},
}};
constexpr const char* share_format = "0.00%";

// The table's last column, with the probability of failure or without.
constexpr lxw_col_t last_column(bool study) {
    return static_cast<lxw_col_t>(sheet_columns.size() + (study ? study_columns.size() : 0) - 1);
}

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

// Under the values, one line for each condition Bishop's columns stand under, as the
// values are: its label, its value as a number, what it is in.
lxw_row_t write_condition_lines(lxw_worksheet* sheet, Formats& formats, lxw_row_t row,
                                const GivenConditions& given) {
    for (const ConditionLine& line : condition_lines(given)) {
        worksheet_write_string(sheet, row, 1, std::string(line.label).c_str(), nullptr);
        if (line.value) {  // read as a float, as the values are
            const auto value = static_cast<float>(*line.value);
            worksheet_write_number(sheet, row, 2, typed_value(value),
                                   formats.number(format_of(shortest(value))));
        }
        worksheet_write_string(sheet, row, 3, std::string(line.unit).c_str(), nullptr);
        ++row;
    }
    return row;
}

// Under the conditions' lines, those of the probability of failure where it is asked for:
// how the material is drawn, the draws, what its columns hold.
lxw_row_t write_study_lines(lxw_worksheet* sheet, Formats& formats, lxw_row_t row,
                            const ChartInputs& entered) {
    for (const StudyLine& line : study_lines(entered)) {
        worksheet_write_string(sheet, row, 1, std::string(line.label).c_str(), nullptr);
        if (line.value) {
            worksheet_write_number(sheet, row, 2, typed_value(*line.value),
                                   formats.number(format_of(shortest(*line.value))));
        }
        worksheet_write_string(sheet, row, 3, line.text.c_str(), nullptr);
        ++row;
    }
    return row;
}

// The header, every line of it: labels as text, the values as entered as numbers
// (0.15, not the 0.150000006 of its float, nor the 0.2 the result file prints), and
// the column titles, bold, with their units, and the conditions' lines and the run's
// warnings just above them. Returns the row of the column titles.
lxw_row_t write_header(lxw_worksheet* sheet, Formats& formats, const ChartInputs& entered,
                       const std::vector<std::string>& warnings) {
    lxw_row_t row = 0;
    for (const HeaderLine& line : header_lines()) {
        if (&line == &header_lines().back()) {
            row = write_condition_lines(sheet, formats, row, entered.conditions);
            row = write_study_lines(sheet, formats, row, entered);
            row = write_warning_lines(sheet, row, warnings);
        }
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
    // The columns' titles, in their units (those of the result file's columns as the
    // workbook titles them).
    for (std::size_t i = 0; i < sheet_columns.size(); ++i) {
        const std::string title = utf8(column_titles.*sheet_columns[i].title);
        worksheet_write_string(sheet, row - 1, static_cast<lxw_col_t>(i), title.c_str(), formats.titles());
    }
    for (std::size_t i = 0; entered.uncertainty && i < study_columns.size(); ++i) {
        const std::string title(column_titles.*study_columns[i].title);
        worksheet_write_string(sheet, row - 1, static_cast<lxw_col_t>(sheet_columns.size() + i),
                               title.c_str(), formats.titles());
    }
    return row - 1;
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
    worksheet_insert_chart_opt(sheet, first_row, last_column(entered.uncertainty.has_value()) + 2, chart,
                               &placement);
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
    using Doing = Failure::Doing;
    if (error_number != 0) {
        return Failure::system(error_number, Doing::putting_together);
    }
    switch (error) {
        case LXW_ERROR_MEMORY_MALLOC_FAILED:
            return Failure::system(ENOMEM, Doing::putting_together);
        case LXW_ERROR_CREATING_XLSX_FILE:
        case LXW_ERROR_CREATING_TMPFILE:
            return Failure::own({Said::workbook_not_created}, Doing::opening);
        default:
            return Failure::own({Said::workbook_not_put_together, Field::none, {{"error", Count{error}}}},
                                Doing::putting_together);
    }
}

// The rows wait in a temporary file of libxlsxwriter's until the workbook is closed,
// which copies them into the sheet and zips that; and libxlsxwriter does not check
// those writes, so a sheet that does not fit would be cut short without a word. A sheet
// takes at most this much a row: the row's element and five cells, each with its
// reference, its style and a number of at most 24 characters; and Bishop's two cells.
constexpr std::uintmax_t sheet_bytes_per_row = 290;
constexpr std::uintmax_t bishop_bytes_per_row = 110;
constexpr std::uintmax_t study_bytes_per_row = 110;  // the probability of failure's two cells
// Beyond the rows: the sheet's head and foot, and the workbook's other parts.
constexpr std::uintmax_t sheet_headroom = std::uintmax_t{1} << 16U;

// Whether the sheet of `rows` rows fits where libxlsxwriter puts its temporary files
// (`folder`) before anything is written: within the file-size limit, and with room for
// the rows and their copy in the sheet (the zip, at most as large, goes beside them).
// Says what was checked and what was found when it does not.
std::optional<Failure> room_for(std::int32_t rows, bool study, const fs::path& folder) {
    const std::uintmax_t per_row =
        sheet_bytes_per_row + bishop_bytes_per_row + (study ? study_bytes_per_row : 0);
    const std::uintmax_t sheet = static_cast<std::uintmax_t>(rows) * per_row + sheet_headroom;
    const auto no_room = room_for_files(sheet, 2 * sheet, folder);
    if (!no_room) {
        return std::nullopt;
    }
    const bool size_limit = no_room->limit == NoRoom::Limit::file_size;
    Diagnostic found{size_limit ? Said::sheet_beyond_size_limit : Said::sheet_beyond_free_space,
                     Field::none,
                     {{"rows", Count{rows}}, {"size", kilobytes(size_limit ? sheet : 2 * sheet)}}};
    found.args.push_back({size_limit ? "limit" : "free", kilobytes(no_room->room)});
    found.args.push_back({"folder", Text{utf8_name(folder)}});
    return Failure::system(size_limit ? EFBIG : ENOSPC, Failure::Doing::checking_room, std::move(found));
}

// More rows than a sheet holds under the header and the warning lines.
std::optional<Failure> beyond_a_sheet(std::int32_t rows, std::int32_t max_rows,
                                      const std::vector<std::string>& warnings) {
    const auto room = max_rows - static_cast<std::int32_t>(warnings.size());
    if (rows > room) {
        return Failure::own(
            {Said::rows_beyond_a_sheet,
             Field::step,
             {{"rows", Count{rows}}, {"room", Count{room}}, {"warnings", Flag{!warnings.empty()}}}},
            Failure::Doing::checking_room);
    }
    return std::nullopt;
}

// The rows a sheet holds under the header's lines.
constexpr auto max_rows = static_cast<std::int32_t>(1048576 - 8);

// The same, less the lines of the conditions Bishop's columns stand under and those of the
// probability of failure.
std::int32_t rows_under_the_header(const ChartInputs& entered) {
    return max_rows - static_cast<std::int32_t>(condition_lines(entered.conditions).size()) -
           static_cast<std::int32_t>(study_lines(entered).size());
}

// The run's findings, and the notes of the Bishop cells of its rows, as the
// workbook's lines of warnings.
std::vector<std::string> warning_lines(const DesignRun& run, const std::vector<Diagnostic>& notes) {
    std::vector<std::string> said;
    for (const Diagnostic& finding : run.findings()) {
        said.push_back(render(finding));
    }
    // A run whose result file holds Bishop's angles has told of their rows already: those
    // notes are the workbook's own, said once.
    for (const Diagnostic& note : notes) {
        std::string line = render(note);
        if (std::find(said.begin(), said.end(), line) == said.end()) {
            said.push_back(std::move(line));
        }
    }
    return workbook_warning_lines(said);
}

}  // namespace

struct WorkbookWriter::Sheet {
    lxw_workbook* workbook = nullptr;
    lxw_worksheet* sheet = nullptr;
    std::unique_ptr<Formats> formats;
    std::string title;
    lxw_row_t first_row = 0;  // the rows' first, below the column titles
};

WorkbookWriter::WorkbookWriter(const DesignRun& run, RowSource& rows, ShouldStop stop, TellProgress progress)
    : run_(run),
      rows_(rows),
      stop_(std::move(stop)),
      progress_(std::move(progress)),
      sheet_(std::make_unique<Sheet>()) {}

WorkbookWriter::~WorkbookWriter() {
    if (sheet_->workbook != nullptr) {
        workbook_close(sheet_->workbook);  // frees what the library holds
    }
}

std::variant<std::unique_ptr<WorkbookWriter>, Failure> WorkbookWriter::begin(const std::string& name,
                                                                             const fs::path& folder,
                                                                             const DesignRun& run,
                                                                             RowSource& rows, ShouldStop stop,
                                                                             TellProgress progress) {
    // The rows a sheet holds under the header, and under the run's findings too, told
    // before any room is taken.
    if (auto refused =
            beyond_a_sheet(rows.rows(), rows_under_the_header(run.entered()), warning_lines(run, {}))) {
        return *std::move(refused);
    }
    if (auto no_room = room_for(rows.rows(), run.entered().uncertainty.has_value(),
                                folder.empty() ? fs::temp_directory_path() : folder)) {
        return *std::move(no_room);
    }
    std::unique_ptr<WorkbookWriter> writer(
        new WorkbookWriter(run, rows, std::move(stop), std::move(progress)));
    writer->name_ = name;
    writer->folder_ = folder;
    writer->bishop_ = std::make_unique<BishopColumns>(run.entered(), rows.rows());
    writer->searched_ = std::make_unique<SearchedRows>();
    if (run.entered().uncertainty) {
        writer->study_ = std::make_unique<FailureColumns>(run.entered());
    }
    return writer;
}

bool WorkbookWriter::take_searched_rows(std::int32_t count) {
    // A row's Bishop cells take a search or more, about a thousand rows' writing.
    for (std::int32_t searched = 0; searched < std::max(1, count / 1000); ++searched) {
        const SweepRow* row = rows_.next();
        if (row == nullptr) {
            searched_->findings = bishop_->findings();
            return true;
        }
        searched_->rows.push_back(*row);
        searched_->cells.push_back(bishop_->next(*row));
        if (study_) {  // the draws' searches, told with the row's
            searched_->failure.push_back(study_->next(*row, searched_->cells.back(), stop_));
        }
        tell_progress(progress_, rows_.given(), rows_.rows());
        if ((stopped_ = asked_to_stop(stop_))) {
            return false;
        }
    }
    return false;
}

std::optional<Failure> WorkbookWriter::open(const std::string& name, const fs::path& folder,
                                            const std::vector<std::string>& lines) {
    // Constant-memory mode keeps the rows in a temporary file until the workbook is
    // put together: memory stays flat in the row count. That file goes in `folder`,
    // where its room was checked, or in the system's folder for temporary files.
    std::string rows_folder = folder.empty() ? std::string() : utf8_name(folder);
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = rows_folder.empty() ? nullptr : rows_folder.data();
    errno = 0;
    Sheet& made = *sheet_;
    made.workbook = workbook_new_opt(name.c_str(), &options);
    if (made.workbook == nullptr) {
        return Failure::system_or(errno, ENOMEM, Failure::Doing::opening);
    }
    const ChartInputs& entered = run_.entered();
    made.sheet = workbook_add_worksheet(made.workbook, std::string(entered.chart->label).c_str());
    if (made.sheet == nullptr) {
        return Failure::system_or(errno, EIO, Failure::Doing::opening);
    }
    // Columns side by side of one width are set as one.
    for (std::size_t first = 0, last = 0; first < sheet_columns.size(); first = ++last) {
        while (last + 1 < sheet_columns.size() &&
               sheet_columns[last + 1].width == sheet_columns[first].width) {
            ++last;
        }
        worksheet_set_column(made.sheet, static_cast<lxw_col_t>(first), static_cast<lxw_col_t>(last),
                             sheet_columns[first].width, nullptr);
    }
    for (std::size_t i = 0; entered.uncertainty && i < study_columns.size(); ++i) {
        const auto column = static_cast<lxw_col_t>(sheet_columns.size() + i);
        worksheet_set_column(made.sheet, column, column, study_columns[i].width, nullptr);
    }
    made.formats = std::make_unique<Formats>(made.workbook);
    const lxw_row_t titles_row = write_header(made.sheet, *made.formats, entered, lines);
    worksheet_freeze_panes(made.sheet, titles_row + 1, 0);
    made.title = chart_title(entered);
    set_up_pages(made.workbook, made.sheet, made.title, titles_row, entered);
    made.first_row = titles_row + 1;
    return std::nullopt;
}

// One row, each cell the number its text cell prints (86, not 85.8958); an empty text
// cell is an empty cell.
void WorkbookWriter::put(const SweepRow& swept, std::int32_t at) {
    const Sheet& made = *sheet_;
    const auto row = static_cast<lxw_row_t>(made.first_row + static_cast<lxw_row_t>(at));
    const auto index = static_cast<std::size_t>(at);
    const BishopCells* bishop = index < searched_->cells.size() ? &searched_->cells[index] : nullptr;
    for (std::size_t i = 0; i < sheet_columns.size(); ++i) {
        if (const auto number = sheet_columns[i].cell(swept, bishop)) {
            worksheet_write_number(made.sheet, row, static_cast<lxw_col_t>(i), *number,
                                   made.formats->number(sheet_columns[i].format));
        }
    }
    if (index < searched_->failure.size()) {
        for (std::size_t i = 0; i < study_columns.size(); ++i) {
            if (const auto share = searched_->failure[index].*study_columns[i].cell) {
                worksheet_write_number(made.sheet, row, static_cast<lxw_col_t>(sheet_columns.size() + i),
                                       *share, made.formats->number(share_format));
            }
        }
    }
}

bool WorkbookWriter::advance(std::int32_t count) {
    // First the rows with their Bishop cells, each told as it is found, then the header,
    // which says why some are empty, once they are all found; then the rows written.
    if (sheet_->workbook == nullptr && !failure_) {
        if (!take_searched_rows(count)) {
            return stopped_;
        }
        notes_ = bishop_notes(searched_->findings, run_.entered());
        const std::vector<std::string> lines = warning_lines(run_, notes_);
        failure_ = beyond_a_sheet(rows_.rows(), rows_under_the_header(run_.entered()), lines);
        if (!failure_) {
            failure_ = open(name_, folder_, lines);
        }
    }
    if (failure_) {
        return true;
    }
    const std::vector<SweepRow>& searched = searched_->rows;
    for (; count > 0 && !stopped_ && static_cast<std::size_t>(written_) < searched.size(); --count) {
        put(searched[static_cast<std::size_t>(written_)], written_);
        ++written_;
        stopped_ = asked_to_stop(stop_);
    }
    return stopped_ || static_cast<std::size_t>(written_) == searched.size();
}

std::optional<Failure> WorkbookWriter::finish() {
    Sheet& made = *sheet_;
    if (failure_ || made.workbook == nullptr) {
        return stopped_ ? Failure::stop() : failure_;
    }
    if (written_ > 0 && !stopped_) {
        add_chart(made.workbook, made.sheet, made.title, made.first_row, run_.summary(), run_.entered());
    }
    errno = 0;
    const lxw_error closed = workbook_close(std::exchange(made.workbook, nullptr));
    const int close_error = errno;
    if (stopped_ || asked_to_stop(stop_)) {
        return Failure::stop();
    }
    if (closed != LXW_NO_ERROR) {
        return failure_of(closed, close_error);
    }
    return std::nullopt;
}

std::optional<Failure> rows_beyond_a_sheet(std::int32_t rows) { return beyond_a_sheet(rows, max_rows, {}); }

WorkbookReport write_workbook_at(const std::string& name, const fs::path& folder, const DesignRun& run,
                                 RowSource& rows, const ShouldStop& stop, const TellProgress& progress) {
    auto begun = WorkbookWriter::begin(name, folder, run, rows, stop, progress);
    if (auto* refused = std::get_if<Failure>(&begun)) {
        return {std::move(*refused), {}};
    }
    WorkbookWriter& writer = *std::get<std::unique_ptr<WorkbookWriter>>(begun);
    while (!writer.advance(rows.rows())) {
    }
    return {writer.finish(), writer.notes()};
}

WorkbookReport write_workbook(OutputFile& file, const DesignRun& run, RowSource& rows, const ShouldStop& stop,
                              const TellProgress& progress) {
    WorkbookReport report = write_workbook_at(file.name(), file.folder(), run, rows, stop, progress);
    if (!report.failure) {
        report.failure = file.commit();
    }
    return report;
}

}  // namespace zelm
