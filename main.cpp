// zelm-fs: slope angles of a talus from the design chart, for every height step, written
// to a result file and, on request, to a workbook with the curve they draw; or the
// factor of safety the chart, or Bishop's method of slices, gives slopes that already
// stand.
#include "console/dialogue.hpp"
#include "console/progress_line.hpp"
#include "console/quiet_standard_error.hpp"
#include "console/request.hpp"
#include "console/stops.hpp"
#include "console/terminal.hpp"
#include "files/failure.hpp"
#include "files/output_file.hpp"
#include "messages/diagnostic.hpp"
#include "messages/exit_status.hpp"
#include "messages/files.hpp"
#include "messages/render.hpp"
#include "messages/usage.hpp"
#include "messages/warnings.hpp"
#include "result/text_file.hpp"
#include "result/workbook.hpp"
#include "sweep/bishop_answer.hpp"
#include "sweep/check.hpp"
#include "sweep/check_answer.hpp"
#include "sweep/design_run.hpp"
#include "sweep/findings.hpp"
#include "sweep/rows.hpp"
#include "sweep/unit_weight.hpp"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace {

using namespace zelm;

// Every file the run will write can be created where it goes, told before a value is
// asked for, not after all six: each is opened as it will be, and dropped.
bool targets_take_files(const Request& request) {
    std::vector<const Target*> targets{&request.output};
    if (request.workbook) {
        targets.push_back(&*request.workbook);
    }
    for (const Target* target : targets) {
        const auto opened = OutputFile::open(*target, Writer::library);
        if (const auto* refused = std::get_if<Failure>(&opened)) {
            say(std::cerr, refused_before_asking(*target, *refused));
            return false;
        }
    }
    return true;
}

// True when the dialogue on `console` is held with a person at a terminal.
bool at_a_terminal(const std::ostream& console) {
    return is_a_terminal(StandardStream::input) &&
           is_a_terminal(&console == &std::cout ? StandardStream::output : StandardStream::error);
}

// The banner and the six prompts, in `units`, on `console`; nothing, with the reason on
// standard error, when the values could not be read. Read from a file or a pipe, the
// text after the sixth value is read to its end, all of it meant for the dialogue.
std::optional<ChartInputs> ask_at_console(std::ostream& console, Units units) {
    print_banner(console);
    const LeftOver rest =
        is_a_terminal(StandardStream::input) ? LeftOver::rest_of_line : LeftOver::rest_of_input;
    const auto typed = read_inputs(std::cin, console, units, rest);
    const auto entered = typed ? std::optional(typed->values) : std::nullopt;
    if (!entered && at_a_terminal(console)) {
        console << '\n' << std::flush;  // what follows starts on a line of its own, not after the prompt
    }
    if (!entered && input_ended_by_a_stop()) {
        end_by_stop(false);
    }
    if (!console) {
        if (&console == &std::cout) {  // standard error, with -o -, is where the reason would go
            say(std::cerr, Diagnostic{Said::dialogue_unwritable});
        }
        return std::nullopt;
    }
    if (!entered) {
        say(std::cerr, Diagnostic{Said::input_ended_early});
    } else if (!typed->left_over.empty()) {
        warn(std::cerr, left_over_warning(typed->left_over));
    }
    return entered;
}

// The result file, complete and new, or untouched with the reason why.
TextFileReport result_file(const Target& target, const ChartInputs& entered) {
    auto opened = OutputFile::open(target, Writer::stream);
    if (auto* refused = std::get_if<Failure>(&opened)) {
        return {*refused, {}, false, {}};
    }
    ProgressLine progress(Writing::result_file, target.kind == TargetKind::standard_output);
    return write_result_file(std::get<OutputFile>(opened), entered, stop_requested, progress.teller());
}

// The run, made once: from the result file's sweep; or, where the file did not take every
// row, from a sweep of its own where a workbook wants it and fits a sheet.
std::optional<DesignRun> run_of(const ChartInputs& entered, const TextFileReport& text, bool workbook) {
    if (text.complete) {
        return DesignRun(entered, text.sweep, text.bishop ? &*text.bishop : nullptr);
    }
    if (workbook && !rows_beyond_a_sheet(row_count(entered.height, entered.definition))) {
        return DesignRun::swept(entered);
    }
    return std::nullopt;
}

// The run's workbook, complete and new, or untouched with the reason why: its rows swept
// afresh. A run of more rows than a sheet holds, not made, gets none.
std::optional<Failure> workbook_file(const Target& target, const ChartInputs& entered,
                                     const std::optional<DesignRun>& run) {
    if (!run) {
        return rows_beyond_a_sheet(row_count(entered.height, entered.definition));
    }
    auto opened = OutputFile::open(target, Writer::library);
    if (auto* refused = std::get_if<Failure>(&opened)) {
        return *refused;
    }
    ProgressLine progress(Writing::workbook, false);
    const QuietStandardError quiet;  // libxlsxwriter prints its own diagnostics there
    SweptRows rows(entered);
    return write_workbook(std::get<OutputFile>(opened), *run, rows, stop_requested, progress.teller())
        .failure;
}

// Ends the program when a stop came while `target` was written, or before: a file not
// written is gone by now, its temporary removed when it went out of scope.
void end_if_stopped(const std::optional<Failure>& failure, const Target& target) {
    if (stop_requested()) {
        end_by_stop(failure.has_value() && target.kind == TargetKind::file);
    }
}

// What a design run wrote: the files it left complete and new, and their rows.
struct Written {
    ExitStatus status = ExitStatus::written;
    bool result_file = false;
    bool workbook = false;
    std::int32_t rows = 0;
};

// What can be told before the rows, where the heights stop growing and rows by the million
// may repeat one height; the result file, whose sweep makes the run (or a sweep of its
// own, where the file took no rows); then the run's workbook when asked for: each is
// complete and new, or untouched, whatever becomes of the other. Then what the run finds,
// but what was told before its rows.
Written write_results(const Request& request, const ChartInputs& entered) {
    Written written;
    const std::optional<Diagnostic> early = heights_stop_growing(entered);
    if (early) {
        warn(std::cerr, *early);
    }
    const TextFileReport text = result_file(request.output, entered);
    end_if_stopped(text.failure, request.output);
    if (text.failure) {
        say(std::cerr, not_written(request.output, *text.failure, WhichFile::result_file));
        written.status = ExitStatus::not_written;
    }
    const std::optional<DesignRun> run = run_of(entered, text, request.workbook.has_value());
    written.result_file = !text.failure;
    written.rows = text.sweep.rows;
    if (request.workbook) {
        const auto failure = workbook_file(*request.workbook, entered, run);
        end_if_stopped(failure, *request.workbook);
        if (failure) {
            say(std::cerr, not_written(*request.workbook, *failure, WhichFile::workbook));
            written.status = ExitStatus::not_written;
        }
        written.workbook = !failure;
    }
    for (const Diagnostic& finding : run ? run->findings() : std::vector<Diagnostic>()) {
        if (!early || finding.id != early->id) {
            warn(std::cerr, finding);
        }
    }
    return written;
}

// What --help or --version shows, on standard output.
ExitStatus carry_out(const Shown& shown) {
    std::cout << shown.text << std::flush;
    return std::cout ? ExitStatus::written : ExitStatus::not_written;
}

// A wrong command line, in one line on standard error: nothing asked, no file touched.
ExitStatus carry_out(const UsageError& error) {
    say(std::cerr, usage_line(error));
    return ExitStatus::usage;
}

// One line on standard output per slope, what `line` says of it and its answer; none at
// all when the values of one describe no slope. A slope that Bishop's method leaves
// without a factor of safety is answered all the same, by the reason.
template <typename Checks, typename Line>
ExitStatus answer_lines(const Checks& checks, Line&& line) {
    const auto answers = answers_of(checks);
    if (stop_requested()) {  // while the answers were found: Bishop's take a while
        end_by_stop(false);
    }
    if (const auto* wrong = std::get_if<UsageError>(&answers)) {
        return carry_out(*wrong);
    }
    const auto& answered = std::get<0>(answers);
    // One material: a unit weight no soil has is most likely typed in the other units.
    if (const auto slip = unit_weight_out_of_range(checks.slopes.front().density, checks.units)) {
        warn(std::cerr, sentence(*slip));
    }
    for (std::size_t i = 0; i < answered.size(); ++i) {
        std::cout << render(line(checks.slopes[i], answered[i])) << '\n';
        if (stop_requested()) {
            end_by_stop(false);
        }
    }
    if (!std::cout.flush()) {
        say(std::cerr, Diagnostic{Said::answers_not_written});
        return ExitStatus::not_written;
    }
    return ExitStatus::written;
}

ExitStatus carry_out(const SlopeChecks& checks) {
    return answer_lines(checks, [](const SlopeToCheck& slope, const CheckAnswer& answer) {
        return slope_answered(slope, check_line(slope, answer));
    });
}

ExitStatus carry_out(const BishopChecks& checks) {
    return answer_lines(checks, [&checks](const SlopeToCheck& slope, const BishopResult& result) {
        const HomogeneousSlope standing = homogeneous(slope, checks.given);
        const auto critical = checks.given.critical_kh ? std::optional(critical_kh(standing)) : std::nullopt;
        return slope_answered(slope, bishop_line(slope, result, standing.conditions, critical));
    });
}

// A design run: its files found writable, the values asked for unless given, then the
// result file and the workbook written.
ExitStatus carry_out(const Request& request) {
    if (!targets_take_files(request)) {
        return ExitStatus::not_written;
    }
    // With the result file on standard output, the dialogue speaks on standard error.
    std::ostream& console = request.output.kind == TargetKind::standard_output ? std::cerr : std::cout;
    auto entered = request.values ? request.values : ask_at_console(console, request.units);
    if (!entered) {
        return ExitStatus::not_written;
    }
    entered->angles = request.angles;
    entered->conditions = request.conditions;
    entered->uncertainty = request.uncertainty;
    const Written written = write_results(request, *entered);
    // A person at a terminal is told where the answer went; a script reads the status.
    if (!request.values && written.result_file && at_a_terminal(console)) {
        console << render(files_written(request.output, written.workbook ? request.workbook : std::nullopt,
                                        written.rows))
                << std::flush;
    }
    return written.status;
}

}  // namespace

int main(int argc, char* argv[]) try {
    record_stops();
    const auto command = read_command_line(std::vector<std::string>(argv + 1, argv + argc));
    return static_cast<int>(std::visit([](const auto& asked) { return carry_out(asked); }, command));
} catch (const std::exception& error) {  // out of memory, or a file system that fails oddly
    say(std::cerr, error.what());
    return static_cast<int>(ExitStatus::not_written);
}
