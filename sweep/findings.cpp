#include "sweep/findings.hpp"

#include "numbers/reading.hpp"
#include "numbers/writing.hpp"
#include "sweep/bishop_answer.hpp"
#include "sweep/printed_check.hpp"
#include "sweep/slope_angle.hpp"
#include "sweep/step_sums.hpp"
#include "sweep/unit_weight.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>

namespace zelm {
namespace {

Text chart_named(const ChartInputs& entered) { return {std::string(entered.chart->name)}; }

HeightRange range_of(const Heights& rows) { return {rows.first, rows.last}; }

Diagnostic why_no_rows(const ChartInputs& entered) {
    Said id = Said::no_rows_too_many;
    if (entered.definition == 0.0F) {
        id = Said::no_rows_zero_step;
    } else if (entered.height == 0.0F) {
        id = Said::no_rows_zero_height;
    } else if ((entered.height < 0.0F) != (entered.definition < 0.0F)) {
        id = Said::no_rows_opposite_signs;
    } else if (std::fabs(entered.height) < std::fabs(entered.definition)) {
        id = Said::no_rows_height_below_step;
    }
    return {id, Field::step, {{"height", Typed{entered.height}}, {"step", Typed{entered.definition}}}};
}

// The factors of safety whose x reads a row that gives an angle for every y, printed:
// from the smallest of the last fitted row, rounded up, to the largest of the first,
// rounded down, so that each, typed as a run's FS, reads a fitted row itself. Nothing for
// a friction angle whose x is never on them (0 or less, 90 or more).
std::optional<std::array<PrintedFactor, 2>> fitted_factors_of_safety(const DesignChart& chart,
                                                                     float friction_angle) {
    const auto [first, last] = chart.fitted;
    const float phi = to_radians(friction_angle);
    const auto on_first = factors_of_safety_on_row(phi, first);
    const auto on_last = factors_of_safety_on_row(phi, last);
    std::array<PrintedFactor, 2> printed{};
    if (!on_first || !on_last ||
        !printed_range({on_last->lowest, on_first->highest}, printed[0], printed[1])) {
        return std::nullopt;
    }
    return printed;
}

// What the factor of safety can do for an x beyond the fitted rows, said as facts. Below
// them no FS of a safer slope helps: the chart does not cover the material at this FS.
// Above them a larger FS, the safer side, brings x back onto the chart.
Diagnostic way_onto_the_chart(const ChartInputs& entered, bool below) {
    const auto fitted = fitted_factors_of_safety(*entered.chart, entered.friction_angle);
    const auto [first, last] = fitted_x_range(*entered.chart);
    Diagnostic way{!fitted ? Said::way_none
                   : below ? Said::way_below
                           : Said::way_above,
                   Field::security_factor,
                   {{"phi", Typed{entered.friction_angle}},
                    {"chart", chart_named(entered)},
                    {"fs", Typed{entered.security_factor}},
                    {"first", Fixed{first, 2}},
                    {"last", Fixed{last, 2}}}};
    if (fitted) {
        way.args.push_back({"lowest", Text{(*fitted)[0].text()}});
        way.args.push_back({"highest", Text{(*fitted)[1].text()}});
    }
    return way;
}

// Angle cells empty at x: on a row that holds only the vertical slope (x = 0.10, 0.85 to
// 1.00 on the design chart), with its threshold; otherwise x reads no row. `where` says
// of which rows: a run's, or one reading's y.
Diagnostic beyond_the_fitted_rows(const ChartInputs& entered, float x, std::vector<Arg> where) {
    const auto [first, last] = fitted_x_range(*entered.chart);
    const auto rows = entered.chart->rows;
    const auto row = std::find_if(rows.begin(), rows.end(), [&](const ChartRow& r) {
        return static_cast<double>(r.key) == std::round(100.0 * static_cast<double>(x));
    });
    Diagnostic empty{row != rows.end() ? Said::no_angle_vertical_only : Said::no_angle_off_the_chart,
                     Field::security_factor,
                     {{"chart", chart_named(entered)},
                      {"x", Fixed{x, 2}},
                      {"first", Fixed{first, 2}},
                      {"last", Fixed{last, 2}},
                      {"below", Flag{x < first}}}};
    if (row != rows.end()) {
        empty.args.push_back({"threshold", Typed{static_cast<float>(row->threshold)}});
    }
    std::move(where.begin(), where.end(), std::back_inserter(empty.args));
    Clauses way;
    if (!std::isnan(x)) {
        way.items.push_back(way_onto_the_chart(entered, x < first));
    }
    empty.args.push_back({"way", std::move(way)});
    return empty;
}

Diagnostic empty_angles(const ChartInputs& entered, const SweepSummary& run) {
    const auto [first, last] = fitted_x_range(*entered.chart);
    const bool confirmed = entered.angles == Angles::confirmed;
    const Heights& empty = confirmed ? run.unconfirmed : run.empty;
    // Beyond 0 to 90 degrees tan(phi) means nothing, and neither does x; nor for a factor
    // of safety not above 0, which no other FS brings onto the chart.
    if (!(entered.friction_angle >= 0.0F && entered.friction_angle < 90.0F)) {
        return {Said::no_angle_friction_angle,
                Field::friction_angle,
                {{"chart", chart_named(entered)}, {"phi", Typed{entered.friction_angle}}}};
    }
    if (!(entered.security_factor > 0.0F)) {
        return {Said::no_angle_security_factor,
                Field::security_factor,
                {{"chart", chart_named(entered)}, {"fs", Typed{entered.security_factor}}}};
    }
    if (run.x >= first && run.x <= last) {
        // Without a number for y no angle is read, nor confirmed; with one, the chart reads
        // less than a whole degree there.
        const bool y_read = run.empty.rows < run.unconfirmed.rows;
        return {confirmed && y_read ? Said::no_angle_not_confirmed : Said::no_angle_y_not_a_number,
                Field::none,
                {{"chart", chart_named(entered)}, {"rows", range_of(empty)}}};
    }
    std::vector<Arg> where{{"empty", range_of(empty)}, {"confirmed", Flag{confirmed}}};
    if (!confirmed && run.with_angle.rows > 0) {  // the rows at 90, where a row holds only them
        where.push_back({"vertical", range_of(run.with_angle)});
    }
    return beyond_the_fitted_rows(entered, run.x, std::move(where));
}

// Without cohesion a dry slope stands at exactly atan(tan(phi)/FS) at every height, and
// a chart's fits can read steeper than that: on the unsafe side. Found when the angle the
// file prints, in whole degrees, is above the exact one to a tenth: the engineer designs
// with the printed numbers.
std::optional<Diagnostic> steeper_than_exact(const ChartInputs& entered, const SweepSummary& run) {
    const std::optional<float> written = entered.angles == Angles::confirmed ? run.confirmed : run.angle;
    const auto value = [&](Field field) { return value_of(entered, field); };
    if (entered.cohesion != 0.0F || first_violation(design_run_rules, value) || !written ||
        !std::isfinite(*written)) {
        return std::nullopt;
    }
    constexpr double degrees_per_radian = 180.0 / std::numbers::pi;
    const double phi = static_cast<double>(entered.friction_angle) / degrees_per_radian;
    const double exact =
        std::atan(std::tan(phi) / static_cast<double>(entered.security_factor)) * degrees_per_radian;
    const double exact_tenths = std::nearbyint(exact * 10.0) / 10.0;
    if (!(whole_value(*written) > exact_tenths)) {
        return std::nullopt;
    }
    return Diagnostic{
        Said::steeper_than_exact,
        Field::none,
        {{"exact", Fixed{exact_tenths, 1}}, {"angle", Fixed{*written, 0}}, {"chart", chart_named(entered)}}};
}

// The first few runs of rows whose printed angle checks short, with the angle printed,
// the FS its check answers, whether the chart's rows cross there, and the steepest whole
// degree the check confirms; and how many more rows, up to which height.
Diagnostic printed_checks_short(const ChartInputs& entered, const Crossings& crossings) {
    Clauses runs;
    std::int32_t named_rows = 0;
    bool cross = false;
    for (std::int32_t i = 0; i < std::min(crossings.runs, Crossings::named); ++i) {
        const CrossedRows& rows = crossings.first[static_cast<std::size_t>(i)];
        named_rows += rows.heights.rows;
        cross = cross || rows.answer.crossing_fs;
        runs.items.push_back({Said::printed_check_run,
                              Field::none,
                              {{"rows", range_of(rows.heights)},
                               {"printed", Fixed{rows.printed, 0}},
                               {"statement", Clauses{{check_statement(rows.answer)}}},
                               {"cross", Flag{rows.answer.crossing_fs.has_value()}},
                               {"chart", chart_named(entered)},
                               {"confirmed", Fixed{*rows.confirmed, 0}}}});
    }
    Diagnostic short_of{Said::printed_checks_short,
                        Field::security_factor,
                        {{"margin", Fixed{crossing_margin * 100.0, 0}},
                         {"fs", Typed{entered.security_factor}},
                         {"below_chart", Flag{crossings.below_chart}},
                         {"chart", chart_named(entered)},
                         {"runs", std::move(runs)},
                         {"cross", Flag{cross}}}};
    if (crossings.rows.rows > named_rows) {
        short_of.args.push_back({"more", Count{crossings.rows.rows - named_rows}});
        short_of.args.push_back({"last", HeightRange{crossings.rows.last, crossings.rows.last}});
    }
    return short_of;
}

// The decimal number a float prints as, its digits and its power of ten: 0.15 is
// {15, -2}, 1e+30 is {1, 30}. Trailing zeros go into the power, so that at most the
// nine digits of a float remain.
struct Decimal {
    std::uint64_t digits = 0;
    int power = 0;
};

Decimal decimal_of(float value) {
    const std::string text = shortest(std::fabs(value));
    Decimal decimal;
    bool after_point = false;
    std::size_t i = 0;
    for (; i < text.size() && text[i] != 'e'; ++i) {
        if (text[i] == '.') {
            after_point = true;
            continue;
        }
        decimal.digits = decimal.digits * 10 + static_cast<std::uint64_t>(text[i] - '0');
        decimal.power -= after_point ? 1 : 0;
    }
    if (i < text.size()) {
        decimal.power += std::stoi(text.substr(i + 1));
    }
    while (decimal.digits != 0 && decimal.digits % 10 == 0) {
        decimal.digits /= 10;
        ++decimal.power;
    }
    return decimal;
}

// True when the step, as typed, goes a whole number of times into the height as typed:
// 0.1 into 10 does, 3 into 10 does not.
bool divides_in_decimal(float step, float height) {
    const Decimal s = decimal_of(step);
    const Decimal h = decimal_of(height);
    if (s.digits == 0) {
        return false;
    }
    // With more decimals than the step, a height (its digits without trailing zeros)
    // is no whole multiple of it.
    if (h.power < s.power) {
        return false;
    }
    std::uint64_t remainder = h.digits % s.digits;  // of h.digits * 10^(h.power - s.power)
    for (int p = s.power; p < h.power; ++p) {
        remainder = remainder * 10 % s.digits;
    }
    return remainder == 0;
}

// The height as the result file prints it, for comparing two.
std::optional<std::pair<bool, std::pair<float, int>>> printed(float height) {
    const auto cell = decimal_comma(height);
    return cell ? std::optional(std::pair(cell->negative, std::pair(cell->whole, cell->hundredths)))
                : std::nullopt;
}

// The last row as the result file prints it, against the talus height printed alike, and
// why, said as `id`.
Diagnostic last_row(Said id, const ChartInputs& entered, float last_height) {
    const Diagnostic row{Said::last_row_at,
                         Field::talus_height,
                         {{"last", HeightCell{last_height}},
                          {"same", Flag{printed(last_height) == printed(entered.height)}},
                          {"above", Flag{std::fabs(last_height) > std::fabs(entered.height)}},
                          {"talus", Typed{entered.height}}}};
    return {id, Field::step, {{"row", Clauses{{row}}}, {"step", Typed{entered.definition}}}};
}

// The heights of `rows` rows that stop growing before the last of them.
std::optional<Diagnostic> stop_growing(const ChartInputs& entered, std::int32_t rows) {
    const StepSums sums = sum_steps(entered.definition, rows);
    if (sums.reached >= rows) {
        return std::nullopt;
    }
    Diagnostic stopped = last_row(Said::talus_stops_growing, entered, sums.last);
    stopped.args.push_back({"reached", Count{sums.reached}});
    stopped.args.push_back({"repeated", Count{rows - sums.reached}});
    return stopped;
}

// Nothing when the last row is the talus height, printed the same way, and every row
// adds the step.
std::optional<Diagnostic> short_of_the_talus(const ChartInputs& entered, const SweepSummary& run) {
    if (auto stopped = stop_growing(entered, run.rows)) {
        return stopped;
    }
    if (printed(run.last_height) == printed(entered.height)) {
        return std::nullopt;
    }
    Diagnostic short_of = last_row(Said::talus_not_exact, entered, run.last_height);
    // Otherwise, where it divides the height in decimals and the sums were not stopped,
    // the step itself is not the decimal typed, and its sums drift.
    if (!divides_in_decimal(entered.definition, entered.height)) {
        short_of.id = Said::talus_not_divided;
    }
    return short_of;
}

// The values the result file's header shows, in its order, each with one decimal as the
// file's format has it: the density, the friction angle, the cohesion and FS.
constexpr std::array<std::pair<float ChartInputs::*, Field>, 4> header_values{{
    {&ChartInputs::density, Field::density},
    {&ChartInputs::friction_angle, Field::friction_angle},
    {&ChartInputs::cohesion, Field::cohesion},
    {&ChartInputs::security_factor, Field::security_factor},
}};

// Values typed with more than the header's one decimal, which it shows rounded (FS 1.25
// as 1.2); the workbook holds them as typed. Nothing when it shows every value as typed.
std::optional<Diagnostic> header_rounds(const ChartInputs& entered) {
    Clauses shown{{}, ", ", " and "};
    for (const auto& [value, field] : header_values) {
        const float typed = entered.*value;
        const std::string one_decimal = fixed(typed, 1);
        const Entry read = read_entry(one_decimal);
        if (!read.value || *read.value != typed) {
            shown.items.push_back({Said::header_value_shown,
                                   field,
                                   {{"field", Named{field, entered.units}},
                                    {"fs", Flag{field == Field::security_factor}},
                                    {"typed", Typed{typed}},
                                    {"shown", Text{one_decimal}}}});
        }
    }
    if (shown.items.empty()) {
        return std::nullopt;
    }
    return Diagnostic{Said::header_rounds, Field::none, {{"values", std::move(shown)}}};
}

template <typename Found>
void add(std::vector<Diagnostic>& findings, std::optional<Found> found) {
    if (found) {
        findings.push_back(*std::move(found));
    }
}

// The values that break their rule, each told apart.
void values_without_meaning(const ChartInputs& entered, std::vector<Diagnostic>& findings) {
    for (std::size_t i = 0; i < design_run_rules.size(); ++i) {
        const Rule& rule = design_run_rules[i];
        const double value = value_of(entered, rule.field);
        if (const auto broken = broken_by(rule, value)) {
            const Diagnostic clause = violation_said(Violation{rule, value, *broken, i}, entered.units);
            findings.push_back({Said::value_without_meaning, rule.field, {{"clause", Clauses{{clause}}}}});
        }
        if (rule.field == Field::density) {  // a density no soil has, beside one that is none
            add(findings, unit_weight_out_of_range(entered.density, entered.units));
        }
    }
}

}  // namespace

std::optional<Violation> describes_no_slope(const ChartInputs& reading) {
    return first_violation(chart_reading_rules, [&](Field field) { return value_of(reading, field); });
}

std::optional<Diagnostic> heights_stop_growing(const ChartInputs& entered) {
    return stop_growing(entered, row_count(entered.height, entered.definition));
}

Diagnostic no_angle_at(const ChartInputs& reading) {
    const ChartColumn column = chart_column(reading.friction_angle, reading.security_factor);
    const float y = chart_y(column.tan_phi, reading.cohesion, reading.density, reading.height);
    return beyond_the_fitted_rows(reading, column.x, {{"y", Fixed{y, 2}}});
}

Diagnostic fs_below_one(float security_factor) {
    return {Said::fs_below_one, Field::security_factor, {{"fs", Typed{security_factor}}}};
}

std::vector<Diagnostic> run_findings(const ChartInputs& entered, const SweepSummary& run) {
    std::vector<Diagnostic> findings;
    values_without_meaning(entered, findings);
    if (security_factor_below_one(entered.security_factor)) {
        findings.push_back(fs_below_one(entered.security_factor));
    }
    if (run.rows == 0) {
        findings.push_back(why_no_rows(entered));
        return findings;
    }
    if (entered.height < 0.0F) {
        findings.push_back({Said::heights_below_zero,
                            Field::talus_height,
                            {{"height", Typed{entered.height}}, {"step", Typed{entered.definition}}}});
    }
    // The confirmed angles check at the run's FS by their making: none falls short.
    const bool confirmed = entered.angles == Angles::confirmed;
    if (confirmed) {
        findings.push_back({Said::confirmed_angles_written,
                            Field::none,
                            {{"chart", chart_named(entered)}, {"fs", Typed{entered.security_factor}}}});
    }
    // Bishop's angles are the method's own, under the conditions given: what the chart's
    // angles come to is no matter of the file's, and why a row has none is Bishop's
    // (bishop_notes).
    const bool bishop = entered.angles == Angles::bishop;
    if (bishop) {
        Diagnostic written{Said::bishop_angles_written,
                           Field::none,
                           {{"chart", chart_named(entered)}, {"fs", Typed{entered.security_factor}}}};
        if (!dry_and_still(entered.conditions.conditions)) {
            written.args.push_back({"under", conditions_said(entered.conditions)});
        }
        findings.push_back(std::move(written));
    } else {  // what the chart's angles, or the confirmed ones, come to
        if ((confirmed ? run.unconfirmed : run.empty).rows > 0) {
            findings.push_back(empty_angles(entered, run));
        }
        add(findings, steeper_than_exact(entered, run));
        if (!confirmed && run.crossings.rows.rows > 0) {
            findings.push_back(printed_checks_short(entered, run.crossings));
        }
    }
    add(findings, short_of_the_talus(entered, run));
    add(findings, header_rounds(entered));
    // The chart's angles are those of a drained slope that stands still: Bishop's columns
    // of the workbook are the ones under the conditions given.
    if (!bishop && !dry_and_still(entered.conditions.conditions)) {
        findings.push_back(
            {Said::chart_drained_and_still,
             Field::none,
             {{"chart", chart_named(entered)}, {"conditions", conditions_said(entered.conditions)}}});
    }
    return findings;
}

}  // namespace zelm
