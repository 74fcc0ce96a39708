#include "console/request.hpp"

#include "console/dialogue.hpp"
#include "files/file_names.hpp"
#include "messages/entries.hpp"
#include "messages/options.hpp"
#include "messages/units.hpp"
#include "numbers/reading.hpp"
#include "sweep/bishop_answer.hpp"
#include "sweep/check_answer.hpp"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>
#include <tuple>
#include <utility>

namespace zelm {
namespace {

// A value that is no number: the entry it was given for, its name on the command line,
// the word typed, and why.
UsageError refused(Field field, std::string name, const std::string& typed, Refusal refusal) {
    return usage_error(Said::usage_value_refused,
                       {{"name", Text{std::move(name)}},
                        {"typed", Text{typed}},
                        {"reason", Clauses{{refusal_said(refusal)}}}},
                       field);
}

// The values after --check or --bishop (`mode`), read as the console reads them: PHI C D,
// then H ANGLE for each slope.
std::variant<std::vector<SlopeToCheck>, UsageError> slopes_of(const std::vector<std::string>& words,
                                                              Option mode, Units units) {
    if (words.size() < 5 || (words.size() - 3) % 2 != 0) {
        return usage_error(
            Said::usage_check_values_count,
            {{"mode", long_name(mode)}, {"count", Count{static_cast<std::int64_t>(words.size())}}});
    }
    std::vector<float> read(words.size());
    for (std::size_t i = 0; i < words.size(); ++i) {
        const Entry entry = read_entry(words[i]);
        if (!entry.value) {
            // PHI C D, then the height and the angle of each slope in turn.
            const Field field = i < 3        ? entered_fields.at(i)
                                : i % 2 == 1 ? Field::slope_height
                                             : Field::slope_angle;
            return refused(field, check_value_name(i), words[i], entry.refusal);
        }
        read[i] = *entry.value;
    }
    std::vector<SlopeToCheck> slopes;
    for (std::size_t i = 3; i < read.size(); i += 2) {
        slopes.push_back({read[0], read[1], read[2], read[i], read[i + 1], &design_chart(), units});
    }
    return slopes;
}

// The six values of a design run, read as the console reads them; none, to be asked for.
std::variant<std::optional<ChartInputs>, UsageError> values_of(const std::vector<std::string>& words,
                                                               Units units, Angles angles) {
    if (words.empty()) {
        return std::optional<ChartInputs>();
    }
    if (words.size() != entered_values.size()) {
        const bool few = words.size() < entered_values.size();
        return usage_error(few ? Said::usage_too_few_values : Said::usage_too_many_values,
                           {{"count", Count{static_cast<std::int64_t>(words.size())}}});
    }
    ChartInputs entered{};
    entered.units = units;
    entered.angles = angles;
    for (std::size_t i = 0; i < entered_values.size(); ++i) {
        const Entry entry = read_entry(words[i]);
        if (!entry.value) {
            return refused(entered_fields.at(i), std::string(value_names.at(i)), words[i], entry.refusal);
        }
        entered.*entered_values[i] = *entry.value;
    }
    return std::optional(entered);
}

// The result file named (or the default), and the workbook beside it when asked for,
// each found where it goes.
std::variant<Request, UsageError> with_files(const CommandLine& line, Request request) {
    const std::string output = line.output.value_or(std::string(default_result_file));
    if (output.empty()) {
        return usage_error(Said::usage_file_name_empty);
    }
    const std::filesystem::path file = path_of(output);
    // -, or a name for the program's own standard output (/dev/stdout sent to a file).
    request.output = output == "-" ? standard_output_target() : find_target(file);
    const bool to_standard_output = request.output.kind == TargetKind::standard_output;
    // A folder typed as the result file; the default name found to be a folder is a
    // file that cannot be written, told before the dialogue.
    const auto name = file.filename();
    if (line.output && !to_standard_output &&
        (name.empty() || name == "." || name == ".." || request.output.kind == TargetKind::folder)) {
        return usage_error(Said::usage_names_a_folder, {{"typed", Text{output}}});
    }
    // Text under a workbook's name is what a spreadsheet refuses to open; with -w, the
    // workbook would take the result file's own name.
    if (!to_standard_output && has_xlsx_extension(file)) {
        // The name the text would take, and the workbook keep, with -w: .xlsx made .xls.
        const std::string text = output.substr(0, output.size() - 5) + ".xls";
        return usage_error(Said::usage_workbook_name, {{"typed", Text{output}}, {"text", Text{text}}});
    }
    if (line.workbook) {
        if (to_standard_output) {
            return usage_error(Said::usage_workbook_to_standard_output, {{"typed", Text{output}}});
        }
        request.workbook = find_target(std::filesystem::path(file).replace_extension(".xlsx"));
    }
    return request;
}

// A standard deviation after --phi-sd or --c-sd, read as the console reads a value: at
// least 0 (a value known).
std::variant<float, UsageError> sd_of(Option option, const std::string& typed) {
    const Entry entry = read_entry(typed);
    if (!entry.value) {
        return refused(Field::none, std::string(name_of(option).name), typed, entry.refusal);
    }
    if (!(*entry.value >= 0.0F)) {
        return usage_error(Said::usage_sd_below_zero,
                           {{"option", long_name(option)}, {"value", Typed{*entry.value}}});
    }
    return *entry.value;
}

// A whole number after `option`, in decimal digits alone, from `lowest` to `highest`.
std::variant<std::uint64_t, UsageError> whole_of(Option option, const std::string& typed,
                                                 std::uint64_t lowest, std::uint64_t highest) {
    const auto value = read_whole_number(typed, lowest, highest);
    if (!value) {
        return usage_error(Said::usage_not_a_whole_number, {{"option", long_name(option)},
                                                            {"typed", Text{typed}},
                                                            {"lowest", Text{std::to_string(lowest)}},
                                                            {"highest", Text{std::to_string(highest)}}});
    }
    return *value;
}

// The material's uncertainty: none unless --phi-sd or --c-sd asks for the workbook's
// probability of failure, which --draws and --seed go with.
std::variant<std::optional<MaterialUncertainty>, UsageError> uncertainty_of(const CommandLine& line) {
    if (!line.phi_sd && !line.c_sd) {
        if (line.draws || line.seed) {
            return usage_error(Said::usage_study_option_alone,
                               {{"option", long_name(line.draws ? Option::draws : Option::seed)}});
        }
        return std::optional<MaterialUncertainty>();
    }
    if (!line.workbook) {
        return usage_error(Said::usage_study_needs_workbook,
                           {{"option", long_name(line.phi_sd ? Option::phi_sd : Option::c_sd)}});
    }
    MaterialUncertainty uncertainty;
    for (const auto& [option, typed, sd] :
         {std::tuple{Option::phi_sd, &line.phi_sd, &uncertainty.friction_angle_sd},
          std::tuple{Option::c_sd, &line.c_sd, &uncertainty.cohesion_sd}}) {
        if (*typed) {
            auto read = sd_of(option, **typed);
            if (auto* wrong = std::get_if<UsageError>(&read)) {
                return std::move(*wrong);
            }
            *sd = std::get<float>(read);
        }
    }
    if (line.draws) {
        auto draws = whole_of(Option::draws, *line.draws, 1, static_cast<std::uint64_t>(most_draws));
        if (auto* wrong = std::get_if<UsageError>(&draws)) {
            return std::move(*wrong);
        }
        uncertainty.draws = static_cast<std::int32_t>(std::get<std::uint64_t>(draws));  // at most most_draws
    }
    if (line.seed) {
        auto seed = whole_of(Option::seed, *line.seed, 0, std::numeric_limits<std::uint64_t>::max());
        if (auto* wrong = std::get_if<UsageError>(&seed)) {
            return std::move(*wrong);
        }
        uncertainty.seed = std::get<std::uint64_t>(seed);
    }
    return std::optional(uncertainty);
}

// A design run: its values, then its files.
std::variant<Request, UsageError> design_run(const CommandLine& line, Units units) {
    const auto angles = angles_named(line.angles.value_or(std::string(chart_angles_option)));
    if (!angles) {
        return usage_error(Said::usage_unknown_angles, {{"typed", Text{*line.angles}}});
    }
    auto given = conditions_of(line, units);
    if (auto* wrong = std::get_if<UsageError>(&given)) {
        return std::move(*wrong);
    }
    const auto uncertainty = uncertainty_of(line);
    if (const auto* wrong = std::get_if<UsageError>(&uncertainty)) {
        return *wrong;
    }
    auto values = values_of(line.values, units, *angles);
    if (auto* refused = std::get_if<UsageError>(&values)) {
        return std::move(*refused);
    }
    auto& entered = std::get<std::optional<ChartInputs>>(values);
    const auto& conditions = std::get<GivenConditions>(given);
    const auto& uncertain = std::get<std::optional<MaterialUncertainty>>(uncertainty);
    if (entered) {
        entered->conditions = conditions;
        entered->uncertainty = uncertain;
    }
    return with_files(line, Request{.values = entered,
                                    .units = units,
                                    .angles = *angles,
                                    .conditions = conditions,
                                    .uncertainty = uncertain});
}

// Any of the alternatives of `from`, as one of `To`'s.
template <typename To, typename From>
To widened(From&& from) {
    return std::visit(
        [](auto&& alternative) -> To { return std::forward<decltype(alternative)>(alternative); },
        std::forward<From>(from));
}

// An option of Bishop's conditions given where the chart answers: chart 1 is the chart
// of a drained slope that stands still.
UsageError chart_has_no_conditions(Option option, bool check) {
    return usage_error(Said::usage_condition_with_chart,
                       {{"option", long_name(option)}, {"check", Flag{check}}});
}

// The slopes of --check or --bishop, which write no file: their answers go to standard
// output.
std::variant<SlopeChecks, BishopChecks, UsageError> slope_checks(const CommandLine& line, Units units) {
    const Option mode = line.check ? Option::check : Option::bishop;
    const auto not_with = [mode](Option option) {
        return usage_error(Said::usage_not_with_check,
                           {{"option", long_name(option)}, {"mode", long_name(mode)}});
    };
    if (line.output) {
        return not_with(Option::output);
    }
    if (line.workbook) {
        return not_with(Option::workbook);
    }
    if (line.angles) {
        return not_with(Option::angles);
    }
    for (const auto& [option, given] :
         {std::pair{Option::phi_sd, &line.phi_sd}, std::pair{Option::c_sd, &line.c_sd},
          std::pair{Option::draws, &line.draws}, std::pair{Option::seed, &line.seed}}) {
        if (*given) {
            return not_with(option);
        }
    }
    if (const auto condition = condition_given(line); condition && line.check) {
        return chart_has_no_conditions(*condition, true);
    }
    auto given = conditions_of(line, units);
    if (auto* wrong = std::get_if<UsageError>(&given)) {
        return std::move(*wrong);
    }
    auto slopes = slopes_of(line.values, mode, units);
    if (auto* refused = std::get_if<UsageError>(&slopes)) {
        return std::move(*refused);
    }
    auto& read = std::get<std::vector<SlopeToCheck>>(slopes);
    if (line.check) {
        return SlopeChecks{.slopes = std::move(read), .units = units};
    }
    return BishopChecks{.slopes = std::move(read), .units = units, .given = std::get<GivenConditions>(given)};
}

// Where the value typed at `place` among a slope's five (PHI C D H ANGLE) stands among
// the values after --check or --bishop, for the slope-th slope (from 0): the material's
// three first, shared by every slope, then each slope's H and ANGLE in turn.
// The values typed for each slope, before the conditions in bishop_rules.
constexpr std::size_t bishop_values = 5;

std::size_t value_after_the_option(std::size_t place, std::size_t slope) {
    return place < 3 ? place : place + 2 * slope;
}

}  // namespace

std::variant<Request, SlopeChecks, BishopChecks, UsageError> request_of(const CommandLine& line) {
    using Asked = std::variant<Request, SlopeChecks, BishopChecks, UsageError>;
    const auto units = units_named(line.units.value_or(std::string(tonne_labels.option)));
    if (!units) {
        return usage_error(Said::usage_unknown_units, {{"typed", Text{*line.units}}});
    }
    if (line.check && line.bishop) {
        return usage_error(Said::usage_checks_together);
    }
    if (!line.check && !line.bishop) {
        if (line.critical_kh) {  // of the slope that stands, not of a design run's rows
            return chart_has_no_conditions(Option::critical_kh, false);
        }
        return widened<Asked>(design_run(line, *units));
    }
    return widened<Asked>(slope_checks(line, *units));
}

std::variant<Request, SlopeChecks, BishopChecks, Shown, UsageError> read_command_line(
    const std::vector<std::string>& words) {
    using Command = std::variant<Request, SlopeChecks, BishopChecks, Shown, UsageError>;
    auto parsed = parse_command_line(words);
    if (auto* line = std::get_if<CommandLine>(&parsed)) {
        return widened<Command>(request_of(*line));
    }
    return std::holds_alternative<Shown>(parsed) ? Command(std::get<Shown>(std::move(parsed)))
                                                 : Command(std::get<UsageError>(std::move(parsed)));
}

std::variant<std::vector<CheckAnswer>, UsageError> answers_of(const SlopeChecks& checks) {
    std::vector<CheckAnswer> answers;
    for (std::size_t i = 0; i < checks.slopes.size(); ++i) {
        const CheckAnswer& answer = answers.emplace_back(check_slope(checks.slopes[i]));
        if (const auto typed = refused_position(answer)) {
            return UsageError{.fault = UsageFault::describes_no_slope,
                              .position = value_after_the_option(*typed, i),
                              .why = check_refusal(checks.slopes[i], answer)};
        }
    }
    return answers;
}

std::variant<std::vector<BishopResult>, UsageError> answers_of(const BishopChecks& checks) {
    std::vector<BishopResult> answers;
    for (std::size_t i = 0; i < checks.slopes.size(); ++i) {
        const BishopResult& answer =
            answers.emplace_back(critical_circle(homogeneous(checks.slopes[i], checks.given)));
        if (answer.violation && answer.violation->position >= bishop_values) {  // a condition's
            return usage_error(Said::usage_condition_refused,
                               {{"option", long_name(option_of(answer.violation->rule.field))},
                                {"why", Clauses{{bishop_refusal(checks.slopes[i], answer)}}}},
                               answer.violation->rule.field);
        }
        if (const auto typed = refused_position(answer)) {
            return UsageError{.fault = UsageFault::no_slope_for_bishop,
                              .position = value_after_the_option(*typed, i),
                              .why = bishop_refusal(checks.slopes[i], answer)};
        }
    }
    return answers;
}

}  // namespace zelm
