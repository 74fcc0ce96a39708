// The result as a workbook (.xlsx) that a spreadsheet opens directly in any locale, set
// up to print as a report: one sheet, named by the design chart's label, holding the
// header with the values exactly as entered, the run's findings above the column titles,
// the rows as the numbers the result file prints with the confirmed angle and Bishop's
// factor of safety and steepest degree beside them (and, where asked for, the probability
// that the row's slope fails in a material drawn uncertain), and a chart of
// the slope angle against the height. It takes the run (sweep/design_run.hpp) and a
// stream of its rows: it never sweeps for the findings.
#pragma once

#include "entries/diagnostic.hpp"
#include "files/failure.hpp"
#include "files/output_file.hpp"
#include "probability/failure_columns.hpp"
#include "sweep/bishop_columns.hpp"
#include "sweep/design_run.hpp"
#include "sweep/progress.hpp"
#include "sweep/rows.hpp"
#include "sweep/stop.hpp"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace zelm {

// A workbook written a slice of rows at a time, for a host that must stay responsive
// between them (the page) and one that writes it at once (write_workbook_at). Nothing is
// written at all where the sheet would not fit: more rows than a sheet holds, or more
// than the room where it is put together.
class WorkbookWriter {
  public:
    // The rows with their Bishop cells, all found before the header, which says why some
    // are empty.
    struct SearchedRows {
        std::vector<SweepRow> rows;
        std::vector<BishopCells> cells;
        BishopFindings findings;
        // The probability of failure of each row, where it is asked for; none otherwise.
        std::vector<FailureCells> failure;
    };

    // The workbook of `run` begun under `name` (UTF-8), libxlsxwriter's own temporary
    // files going to `folder` (the system's folder for them when empty): its room
    // checked. Or why not.
    static std::variant<std::unique_ptr<WorkbookWriter>, Failure> begin(const std::string& name,
                                                                        const std::filesystem::path& folder,
                                                                        const DesignRun& run, RowSource& rows,
                                                                        ShouldStop stop,
                                                                        TellProgress progress = {});

    WorkbookWriter(const WorkbookWriter&) = delete;
    WorkbookWriter& operator=(const WorkbookWriter&) = delete;
    ~WorkbookWriter();

    // Takes up to `count` more rows, asking `stop` between two: the first ones with their
    // Bishop cells (a thousandth of them, each taking a search), then, once they are all
    // found, the header that says why some are empty, and the rows. True once every row
    // is written, or a stop came, or the workbook was refused on its way.
    bool advance(std::int32_t count);

    // Adds the chart and puts the workbook together: nothing when it was written;
    // otherwise why not, or that it was stopped.
    std::optional<Failure> finish();

    // What the workbook's Bishop cells found (the rows left empty and why, tension under
    // the crest), told beside the run's findings.
    const std::vector<Diagnostic>& notes() const { return notes_; }

  private:
    struct Sheet;  // the library's workbook, its sheet and formats, and where the rows go

    WorkbookWriter(const DesignRun& run, RowSource& rows, ShouldStop stop, TellProgress progress);
    bool take_searched_rows(std::int32_t count);
    std::optional<Failure> open(const std::string& name, const std::filesystem::path& folder,
                                const std::vector<std::string>& lines);
    void put(const SweepRow& row, std::int32_t at);

    const DesignRun& run_;
    RowSource& rows_;
    ShouldStop stop_;
    TellProgress progress_;
    std::string name_;
    std::filesystem::path folder_;
    std::unique_ptr<BishopColumns> bishop_;
    std::unique_ptr<FailureColumns> study_;  // where the probability of failure is asked for
    std::unique_ptr<SearchedRows> searched_;
    std::vector<Diagnostic> notes_;
    std::unique_ptr<Sheet> sheet_;
    std::optional<Failure> failure_;  // refused on its way, after the rows searched
    std::int32_t written_ = 0;
    bool stopped_ = false;
};

struct WorkbookReport {
    // Nothing when it was written; otherwise why not, or that it was stopped.
    std::optional<Failure> failure;
    std::vector<Diagnostic> notes;  // see WorkbookWriter::notes
};

// Why a run of `rows` rows gets no workbook whatever it finds: more rows than a sheet
// holds under the header. Nothing where they fit, the run's findings aside.
std::optional<Failure> rows_beyond_a_sheet(std::int32_t rows);

// The whole workbook at once under `name`, as WorkbookWriter writes it.
WorkbookReport write_workbook_at(const std::string& name, const std::filesystem::path& folder,
                                 const DesignRun& run, RowSource& rows, const ShouldStop& stop,
                                 const TellProgress& progress = {});

// The workbook into `file`, committed once complete: an earlier workbook is replaced
// only then, and stays untouched otherwise.
WorkbookReport write_workbook(OutputFile& file, const DesignRun& run, RowSource& rows, const ShouldStop& stop,
                              const TellProgress& progress = {});

}  // namespace zelm
