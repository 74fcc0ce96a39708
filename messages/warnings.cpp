#include "messages/warnings.hpp"

#include "chart/design_chart.hpp"
#include "messages/checks.hpp"
#include "messages/units.hpp"
#include "numbers/writing.hpp"
#include "sweep/printed_check.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace zelm {
namespace {

constexpr std::string_view meaningless = "; the angles written describe no real slope.";

std::string height_text(float height) {
    std::array<char, max_decimal_comma_length> text{};
    char* const end = put_decimal_comma(text.data(), height);
    return std::string(text.data() + 1, end);  // without the cell's leading space
}

std::string words(const ValueWithoutMeaning& value) { return clause(value) + std::string(meaningless); }

// A unit weight with its unit: "2 kN/m3"; in the other units to three figures, "19.6 kN/m3".
std::string weighed(double value, Units units, bool converted) {
    const std::string number =
        converted ? fixed(value, units == Units::si ? 1 : 2) : shortest(static_cast<float>(value));
    return number + " " + std::string(labels_of(units).unit_weight);
}

std::string range_of_soils(Units units) {
    const UnitWeightRange range = unit_weights_of_soils(units);
    return shortest(range.lowest) + " to " + shortest(range.highest) + " " +
           std::string(labels_of(units).unit_weight);
}

std::string words(const UnitWeightOutOfRange& out) {
    if (!out.units) {
        return "the density " + shortest(out.value) +
               " lies outside what soils and rocks weigh in either units (" + range_of_soils(Units::tonnes) +
               ", " + range_of_soils(Units::si) + ").";
    }
    const Units units = *out.units;
    std::string line = "the " + std::string(labels_of(units).weight) + " " +
                       weighed(out.value, units, false) +
                       (out.below ? " is far below any soil's (" : " is far above any soil's or rock's (") +
                       range_of_soils(units) + ")";
    if (out.meant) {
        line += "; " + weighed(out.value, *out.meant, false) + " is " +
                weighed(in_other_units(out.value, *out.meant), units, true);
    }
    return line + ".";
}

std::string words(const FactorOfSafetyBelowOne& below) {
    return "the factor of safety " + shortest(below.security_factor) +
           " is below 1: the angles written are those of slopes expected to fail.";
}

std::string words(const NoRows& none) {
    const std::string height = shortest(none.height);
    const std::string step = shortest(none.step);
    switch (none.why) {
        case NoRows::Why::zero_step:
            return "no rows were written: the step is 0.";
        case NoRows::Why::zero_height:
            return "no rows were written: the height of the talus is 0.";
        case NoRows::Why::opposite_signs:
            return "no rows were written: the height of the talus " + height + " and the step " + step +
                   " have opposite signs.";
        case NoRows::Why::height_below_step:
            return "no rows were written: the height of the talus " + height + " is below the step " + step +
                   ".";
        case NoRows::Why::too_many_rows:
            break;
    }
    return "no rows were written: " + height + " / " + step +
           " is more rows than a run can count (2147483647); a larger step gives fewer.";
}

std::string words(const HeightsBelowZero& below) {
    return "the heights are below 0 (the height of the talus " + shortest(below.height) + " and the step " +
           shortest(below.step) + " are both negative)" + std::string(meaningless);
}

// What the factor of safety can do for an x beyond the fitted rows, said as facts. Below
// them no FS of a safer slope helps: the chart does not cover the material at this FS.
// Above them a larger FS, the safer side, brings x back onto the chart.
std::string way_onto_the_chart(const EmptyAngles& empty, bool below) {
    const std::string phi = shortest(empty.friction_angle);
    const std::string chart(empty.chart->name);
    if (!empty.fitted) {
        return " For a friction angle of " + phi + " degrees " + chart + " answers no factor of safety; " +
               "another method is needed.";
    }
    const auto& [lowest, highest] = *empty.fitted;
    if (below) {
        return " For a friction angle of " + phi + " degrees " + chart + " answers factors of safety up to " +
               highest.text() + ": it does not cover this material at FS " + shortest(empty.security_factor) +
               ", and another method is needed.";
    }
    const auto [first, last] = fitted_x_range(*empty.chart);
    return " A larger FS, on the safe side, brings x within " + fixed(first, 2) + " to " + fixed(last, 2) +
           ": FS " + lowest.text() + " to " + highest.text() + " for a friction angle of " + phi +
           " degrees.";
}

// Where the empty cells lie, after the row's threshold or the x it has no row for: the
// run's rows, or one reading's y.
std::string where_empty(const EmptyAngles& empty) {
    if (empty.why == EmptyAngles::Why::vertical_only) {
        if (empty.y) {
            return ", and y = " + fixed(*empty.y, 2) + " here.";
        }
        if (empty.confirmed) {  // the file holds confirmed angles, and 90 here is not one
            return ", and confirms no angle there: every angle cell is empty.";
        }
        return empty.vertical.rows == 0 ? ", which no height reaches; every angle cell is empty."
                                        : ", at " + heights_text(empty.vertical) + "; the angle cells of " +
                                              heights_text(empty.empty) + ", below it, are empty.";
    }
    return empty.y ? "." : "; those angle cells are empty.";
}

std::string words(const EmptyAngles& empty) {
    const auto [first, last] = fitted_x_range(*empty.chart);
    const std::string chart(empty.chart->name);
    switch (empty.why) {
        case EmptyAngles::Why::friction_angle:
            return chart + " has no slope angle for a friction angle of " + shortest(empty.friction_angle) +
                   " degrees; those angle cells are empty.";
        case EmptyAngles::Why::security_factor:
            return chart + " has no slope angle for a factor of safety of " +
                   shortest(empty.security_factor) + ", which must be above 0; those angle cells are empty.";
        case EmptyAngles::Why::not_confirmed:
            return chart + " reads less than a whole degree at " + heights_text(empty.empty) +
                   ", and confirms no angle there; those angle cells are empty.";
        case EmptyAngles::Why::y_not_a_number:
            return chart +
                   " has no slope angle where y = C'/(d*H*tan(phi)) is not a number "
                   "(0/0: a cohesion and a density of 0); those angle cells are empty.";
        case EmptyAngles::Why::vertical_only:
        case EmptyAngles::Why::off_the_chart:
            break;
    }
    const bool below = empty.x < first;
    const std::string range = fixed(first, 2) + " to " + fixed(last, 2);
    const std::string line =
        empty.why == EmptyAngles::Why::vertical_only
            ? chart + " holds only the vertical slope at x = tan(phi)/FS = " + fixed(empty.x, 2) +
                  " (x from " + range +
                  " has an angle for every y): 90 where y = C'/(d*H*tan(phi)) is at or beyond " +
                  shortest(static_cast<float>(empty.threshold)) + where_empty(empty)
            : chart + " has no slope angle for x = tan(phi)/FS = " + fixed(empty.x, 2) + ", " +
                  (below ? "below" : "above") + " the " + range + " it gives angles for" + where_empty(empty);
    return std::isnan(empty.x) ? line : line + way_onto_the_chart(empty, below);
}

std::string words(const ConfirmedAnglesWritten& written) {
    return "the result file's angle column holds the confirmed angles, each the steepest whole degree whose "
           "check by " +
           std::string(written.chart->name) + " reaches FS " + shortest(written.security_factor) +
           ", in place of the chart's angle rounded to a whole degree.";
}

std::string words(const SteeperThanExact& steeper) {
    return "with no cohesion a dry slope stands at exactly atan(tan(phi)/FS) = " +
           fixed(static_cast<float>(steeper.exact), 1) + " degrees at every height; " +
           std::string(steeper.chart->name) + "'s " + fixed(steeper.angle, 0) +
           " is steeper, on the unsafe side.";
}

// The first few runs of rows whose printed angle checks short are named, with the angle
// printed, the FS its check answers, whether the chart's rows cross there, and the
// steepest whole degree the check confirms.
std::string words(const PrintedChecksShort& short_of) {
    const Crossings& crossings = short_of.crossings;
    const std::string fs = shortest(short_of.security_factor);
    const std::string chart(short_of.chart->name);
    std::string line =
        "the angles printed check more than " + fixed(static_cast<float>(crossing_margin * 100.0), 0) +
        "% below the FS " + fs + " asked" +
        (crossings.below_chart ? ", or below the smallest FS " + chart + " answers," : "") + " at ";
    const std::int32_t named = std::min(crossings.runs, Crossings::named);
    std::int32_t named_rows = 0;
    bool cross = false;
    for (std::int32_t i = 0; i < named; ++i) {
        const CrossedRows& rows = crossings.first[static_cast<std::size_t>(i)];
        named_rows += rows.heights.rows;
        cross = cross || rows.answer.crossing_fs;
        line.append(i == 0 ? "" : "; ").append(heights_text(rows.heights));
        line += ": " + fixed(rows.printed, 0) + " checks at " + chart_statement(rows.answer) +
                (rows.answer.crossing_fs ? " where " + chart + "'s rows cross" : "") + ", " +
                fixed(*rows.confirmed, 0) + " is confirmed";
    }
    if (crossings.rows.rows > named_rows) {
        line += "; and " + std::to_string(crossings.rows.rows - named_rows) + " more rows up to " +
                heights_text({0, crossings.rows.last, crossings.rows.last});
    }
    return line + ". The file prints the chart's angle rounded to a whole degree" +
           (cross ? ", and where " + chart + "'s rows cross a row of a smaller FS reads less" : "") +
           "; the confirmed angle is the steepest whole degree whose check reaches FS " + fs + ".";
}

std::string words(const ShortOfTalus& short_of) {
    const bool above = std::fabs(short_of.last_height) > std::fabs(short_of.talus);
    const std::string step = shortest(short_of.step);
    const std::string last = height_text(short_of.last_height);
    // Heights that stop growing may stop where the talus height prints the same.
    const std::string where = last == height_text(short_of.talus) ? ", the"
                              : above                             ? ", above the"
                                                                  : ", short of the";
    const std::string line =
        "the last row is at H = " + last + where + " talus height " + shortest(short_of.talus) + ": ";
    switch (short_of.why) {
        case ShortOfTalus::Why::step_no_longer_adds:
            return line + "from row " + std::to_string(short_of.reached) + " on, a step of " + step +
                   " no longer adds to the height in single precision, and " +
                   (short_of.repeated == 1
                        ? "the row after it repeats it."
                        : "the " + std::to_string(short_of.repeated) + " rows after it repeat it.");
        case ShortOfTalus::Why::step_does_not_divide:
            return line + "the step " + step + " does not divide it.";
        case ShortOfTalus::Why::step_not_exact:
            break;
    }
    return line + "the step " + step +
           " is not exact in single precision, and the heights are sums of it; a step that is a binary "
           "fraction, such as 0.125, 0.25 or 0.5, adds up exactly.";
}

std::string words(const HeaderRounds& rounds) {
    const std::array<std::string, header_values.size()> named{
        "the " + std::string(labels_of(rounds.entered.units).weight) + " ", "the friction angle ",
        "the cohesion ", "FS "};
    std::vector<std::string> shown;
    for (std::size_t i = 0; i < header_values.size(); ++i) {
        if (rounds.rounded[i]) {
            const float typed = rounds.entered.*header_values[i];
            shown.push_back(named[i] + shortest(typed) + " as " + fixed(typed, 1));
        }
    }
    std::string list;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        list += (i == 0 ? "" : i + 1 == shown.size() ? " and " : ", ") + shown[i];
    }
    return "the result file's header shows the values with one decimal, as its format has them: " + list +
           "; the workbook holds them as typed.";
}

}  // namespace

std::string heights_text(const Heights& rows) {
    const std::string first = height_text(rows.first);
    const std::string last = height_text(rows.last);
    return "H = " + first + (first == last ? "" : " to " + last);
}

std::string clause(const ValueWithoutMeaning& value) {
    const std::string typed = shortest(value.value);
    switch (value.which) {
        case ValueWithoutMeaning::Which::friction_angle:
            return "the friction angle " + typed + " is not between 0 and 90 degrees";
        case ValueWithoutMeaning::Which::cohesion:
            return "the cohesion " + typed + " is below 0";
        case ValueWithoutMeaning::Which::density:
            return "the " + std::string(labels_of(value.units).weight) + " " + typed + " is not above 0";
        case ValueWithoutMeaning::Which::height:
            return "the height " + typed + " is not above 0";
        case ValueWithoutMeaning::Which::security_factor:
            break;
    }
    return "the factor of safety " + typed + " is not above 0";
}

std::string sentence(const Finding& finding) {
    return std::visit([](const auto& found) { return words(found); }, finding);
}

std::vector<std::string> warnings_before_the_rows(const ChartInputs& entered) {
    std::vector<std::string> lines;
    if (const auto stopped = heights_stop_growing(entered)) {
        lines.push_back(sentence(*stopped));
    }
    return lines;
}

std::vector<std::string> warnings(const ChartInputs& entered, const SweepSummary& run) {
    std::vector<std::string> lines;
    for (const Finding& finding : run_findings(entered, run)) {
        lines.push_back(sentence(finding));
    }
    return lines;
}

}  // namespace zelm
