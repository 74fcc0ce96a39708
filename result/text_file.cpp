#include "result/text_file.hpp"

#include "files/file_names.hpp"
#include "files/room.hpp"
#include "messages/files.hpp"
#include "messages/header.hpp"
#include "result/row_text_pipeline.hpp"
#include "result/write_bytes.hpp"
#include "sweep/slope_angle.hpp"
#include "sweep/step_sums.hpp"

#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <utility>

namespace zelm {

ResultFileBytes::ResultFileBytes(const ChartInputs& entered)
    : header_(header_text(entered)), writer_(entered.angles), block_(std::size_t{1} << 16U) {
    if (entered.angles == Angles::bishop) {
        bishop_ = std::make_unique<BishopAngleRows>(entered);
        rows_ = bishop_.get();
    } else {
        swept_ = std::make_unique<SweptRows>(entered);
        rows_ = swept_.get();
    }
}

ResultFileBytes::ResultFileBytes(const ChartInputs& entered, RowSource& rows)
    : header_(header_text(entered)), rows_(&rows), writer_(entered.angles), block_(std::size_t{1} << 16U) {}

std::string_view ResultFileBytes::next() {
    if (!header_given_) {
        header_given_ = true;
        return header_;
    }
    char* out = block_.data();
    char* const full = block_.data() + block_.size() - RowWriter::max_length;
    while (out <= full) {
        const SweepRow* row = rows_->next();
        if (row == nullptr) {
            break;
        }
        out = writer_.put(out, *row);
    }
    return {block_.data(), static_cast<std::size_t>(out - block_.data())};
}

namespace {

// The length of a decimal-comma cell, none for a value that is not finite.
std::uintmax_t cell_length(float value) {
    std::array<char, max_decimal_comma_length> text{};
    return static_cast<std::uintmax_t>(put_decimal_comma(text.data(), value) - text.data());
}

// The blocks `bytes` has left written to the file, `stop` asked before each and `progress`
// told after each.
std::optional<Failure> write_blocks(std::FILE* file, ResultFileBytes& bytes, const ShouldStop& stop,
                                    const TellProgress& progress, std::int32_t rows) {
    for (std::string_view block = bytes.next(); !block.empty(); block = bytes.next()) {
        if (asked_to_stop(stop)) {
            return Failure::stop();
        }
        if (auto failure = write_bytes(file, block)) {
            return failure;
        }
        tell_progress(progress, bytes.given(), rows);
    }
    return std::nullopt;
}

// Nothing when the file fits where it goes, or goes into a device, a pipe or standard
// output, which take what they can. Where the header and a row would fit, a larger step,
// giving fewer rows, is the cure, and the line says so; where not even they would, room is.
std::optional<Failure> room_for_rows(const OutputFile& file, const ChartInputs& entered) {
    if (file.folder().empty()) {
        return std::nullopt;
    }
    const ResultFileSize size = result_file_size(entered);
    const auto no_room = room_for_files(size.bound(), size.bound(), file.folder());
    if (!no_room) {
        return std::nullopt;
    }
    const bool fewer_rows_fit = size.rows > 1 && size.header + size.row <= no_room->room;
    const bool size_limit = no_room->limit == NoRoom::Limit::file_size;
    Diagnostic found{size_limit ? Said::rows_beyond_size_limit : Said::rows_beyond_free_space,
                     Field::step,
                     {{"any", Flag{size.rows > 0}},
                      {"rows", Count{size.rows}},
                      {"size", kilobytes(size.bound())},
                      {"folder", Text{utf8_name(file.folder())}},
                      {"fewer", Flag{fewer_rows_fit}}}};
    found.args.push_back({size_limit ? "limit" : "free", kilobytes(no_room->room)});
    return Failure::system(size_limit ? EFBIG : ENOSPC, Failure::Doing::checking_room, std::move(found));
}

}  // namespace

ResultFileSize result_file_size(const ChartInputs& entered) {
    ResultFileSize size{header_text(entered).size(), row_count(entered.height, entered.definition), 0};
    if (size.rows == 0) {
        return size;
    }
    // x and the first row's y as the sweep has them, without a sweep: the first row lies at
    // the step itself.
    const ChartColumn column = chart_column(entered.friction_angle, entered.security_factor);
    const float first_y = chart_y(column.tan_phi, entered.cohesion, entered.density, entered.definition);
    const float last = sum_steps(entered.definition, size.rows).last;
    // A height or a y that is not finite has an empty cell, and finite ones after it may
    // take the longest a cell can; below 0, y reads the chart's fits beyond their range.
    const std::uintmax_t height = std::isfinite(last) ? cell_length(last) : max_decimal_comma_length;
    const std::uintmax_t y = std::isfinite(first_y) ? cell_length(first_y) : max_decimal_comma_length;
    const std::uintmax_t angle = first_y < 0.0F ? max_fixed_length : 2;
    size.row = height + cell_length(column.x) + y + angle + 6;  // four TABs, CR and LF
    return size;
}

TextFileReport write_result_file(OutputFile& file, const ChartInputs& entered, const ShouldStop& stop,
                                 const TellProgress& progress) {
    if (auto no_room = room_for_rows(file, entered)) {
        return {std::move(no_room), {}, false, {}};
    }
    bool header_written = false;
    // Bishop's angles take a millisecond or so a row: the text of the rows is no matter.
    if (row_count(entered.height, entered.definition) >= rows_worth_threads &&
        entered.angles != Angles::bishop) {
        if (auto failure = write_bytes(file.stream(), header_text(entered))) {
            return {std::move(failure), {}, false, {}};
        }
        // The rows are swept on a thread of the pipeline's own; where no thread is to be
        // had, they follow the header from here.
        const PipelineReport written = write_rows_on_every_core(file.stream(), entered, stop, progress);
        if (written.ran) {
            return {written.failure ? written.failure : file.commit(), written.sweep, !written.failure, {}};
        }
        header_written = true;
    }
    ResultFileBytes bytes(entered);
    if (header_written) {
        (void)bytes.next();
    }
    TextFileReport report;
    report.failure = write_blocks(file.stream(), bytes, stop, progress, bytes.rows());
    if (!report.failure) {
        report.failure = file.commit();
    }
    // A file that failed part way leaves its rows unwritten, and the run's summary wants them.
    SweptRows& swept = *bytes.swept();
    const bool stopped = report.failure && report.failure->stopped;
    while (!stopped && swept.next() != nullptr) {
    }
    report.sweep = swept.summary();
    report.complete = !stopped;
    if (const BishopFindings* bishop = bytes.bishop_findings()) {
        report.bishop = *bishop;
    }
    return report;
}

std::optional<Failure> write_result_file(OutputFile& file, const ChartInputs& entered, RowSource& rows,
                                         const ShouldStop& stop, const TellProgress& progress) {
    if (auto no_room = room_for_rows(file, entered)) {
        return no_room;
    }
    ResultFileBytes bytes(entered, rows);
    if (auto failure = write_blocks(file.stream(), bytes, stop, progress, bytes.rows())) {
        return failure;
    }
    return file.commit();
}

}  // namespace zelm
