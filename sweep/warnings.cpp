#include "sweep/warnings.hpp"

#include "chart/chart1.hpp"
#include "numbers/writing.hpp"
#include "sweep/check.hpp"
#include "sweep/printed_check.hpp"
#include "sweep/slope_angle.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string_view>

namespace zelm {
namespace {

constexpr std::string_view meaningless = "; the angles written describe no real slope.";

// Values outside their physical meaning, as the warnings name them.
std::string friction_angle_outside(float phi) {
    return "the friction angle " + shortest(phi) + " is not between 0 and 90 degrees";
}
std::string cohesion_below_0(float cohesion) { return "the cohesion " + shortest(cohesion) + " is below 0"; }
std::string density_not_above_0(float density) {
    return "the density " + shortest(density) + " is not above 0";
}
std::string factor_of_safety_not_above_0(float fs) {
    return "the factor of safety " + shortest(fs) + " is not above 0";
}

// Why no row was written, with the values that say so.
std::string why_no_rows(const ChartInputs& entered) {
    const std::string height = shortest(entered.height);
    const std::string step = shortest(entered.definition);
    if (entered.definition == 0.0F) {
        return "no rows were written: the step is 0.";
    }
    if (entered.height == 0.0F) {
        return "no rows were written: the height of the talus is 0.";
    }
    if ((entered.height < 0.0F) != (entered.definition < 0.0F)) {
        return "no rows were written: the height of the talus " + height + " and the step " + step +
               " have opposite signs.";
    }
    if (std::fabs(entered.height) < std::fabs(entered.definition)) {
        return "no rows were written: the height of the talus " + height + " is below the step " + step + ".";
    }
    return "no rows were written: " + height + " / " + step +
           " is more rows than a run can count (2147483647); a larger step gives fewer.";
}

std::string height_text(float height) {
    std::array<char, max_decimal_comma_length> text{};
    char* const end = put_decimal_comma(text.data(), height);
    return std::string(text.data() + 1, end);  // without the cell's leading space
}

// The heights of some rows, as the result file prints them: "H = 1,00 to 9,00".
std::string heights_text(const Heights& rows) {
    const std::string first = height_text(rows.first);
    const std::string last = height_text(rows.last);
    return "H = " + first + (first == last ? "" : " to " + last);
}

// The factors of safety whose x reads a row that gives an angle for every y: from the
// smallest of the last fitted row to the largest of the first. Nothing for a friction
// angle whose x is never on them (0 or less, 90 or more).
std::optional<FactorsOfSafety> fitted_factors_of_safety(float friction_angle) {
    const auto [first, last] = fitted_x_range();
    const float phi = to_radians(friction_angle);
    const auto key = [](float x) {
        return static_cast<std::int32_t>(std::lround(100.0 * static_cast<double>(x)));
    };
    const auto on_first = factors_of_safety_on_row(phi, key(first));
    const auto on_last = factors_of_safety_on_row(phi, key(last));
    if (!on_first || !on_last) {
        return std::nullopt;
    }
    return FactorsOfSafety{on_last->lowest, on_first->highest};
}

// What the factor of safety can do for an x beyond the fitted rows, said as facts. Below
// them no FS of a safer slope helps: chart 1 does not cover the material at this FS. Above
// them a larger FS, the safer side, brings x back onto the chart.
std::string way_onto_the_chart(const ChartInputs& entered, bool below) {
    const std::string phi = shortest(entered.friction_angle);
    // The FS stated are rounded toward those chart 1 answers (up from the smallest, down
    // from the largest), so that each, typed as a run's FS, reads a fitted row itself.
    const auto answered = fitted_factors_of_safety(entered.friction_angle);
    PrintedFactor lowest{};
    PrintedFactor highest{};
    if (!answered || !printed_range(*answered, lowest, highest)) {
        return " For a friction angle of " + phi + " degrees chart 1 answers no factor of safety; another " +
               "method is needed.";
    }
    if (below) {
        return " For a friction angle of " + phi + " degrees chart 1 answers factors of safety up to " +
               highest.text() + ": it does not cover this material at FS " +
               shortest(entered.security_factor) + ", and another method is needed.";
    }
    const auto [first, last] = fitted_x_range();
    return " A larger FS, on the safe side, brings x within " + fixed(first, 2) + " to " + fixed(last, 2) +
           ": FS " + lowest.text() + " to " + highest.text() + " for a friction angle of " + phi +
           " degrees.";
}

// Why the angle cells of rows on x are empty, for x beyond the fitted rows: on a row
// that holds only the vertical slope (x = 0.10, 0.85 to 1.00), its threshold, then
// `vertical` (the heights that reach it); otherwise x itself, then `empty`. Then what
// a factor of safety can do about it.
std::string beyond_the_fitted_rows(const ChartInputs& entered, float x, const std::string& vertical,
                                   std::string_view empty) {
    const auto [first, last] = fitted_x_range();
    const bool below = x < first;
    const std::string range = fixed(first, 2) + " to " + fixed(last, 2);
    const auto rows = chart1_rows();
    const auto row = std::find_if(rows.begin(), rows.end(), [&](const ChartRow& r) {
        return static_cast<double>(r.key) == std::round(100.0 * static_cast<double>(x));
    });
    std::string line;
    if (row != rows.end()) {
        line = "chart 1 holds only the vertical slope at x = tan(phi)/FS = " + fixed(x, 2) + " (x from " +
               range + " has an angle for every y): 90 where y = C'/(d*H*tan(phi)) is at or beyond " +
               shortest(static_cast<float>(row->threshold)) + vertical;
    } else {
        line = "chart 1 has no slope angle for x = tan(phi)/FS = " + fixed(x, 2) + ", " +
               (below ? "below" : "above") + " the " + range + " it gives angles for" + std::string(empty);
    }
    if (std::isnan(x)) {
        return line;
    }
    return line + way_onto_the_chart(entered, below);
}

// Why angle cells are empty. With x inside the fitted rows, y = 0/0 (a cohesion and a
// density of 0), for which no row gives an angle. Beyond them, see beyond_the_fitted_rows.
std::string no_angle(const ChartInputs& entered, const SweepSummary& run) {
    const auto [first, last] = fitted_x_range();
    const float x = run.x;
    // Beyond 0 to 90 degrees tan(phi) means nothing, and neither does x.
    if (!(entered.friction_angle >= 0.0F && entered.friction_angle < 90.0F)) {
        return "chart 1 has no slope angle for a friction angle of " + shortest(entered.friction_angle) +
               " degrees; those angle cells are empty.";
    }
    if (x >= first && x <= last) {
        return "chart 1 has no slope angle where y = C'/(d*H*tan(phi)) is not a number "
               "(0/0: a cohesion and a density of 0); those angle cells are empty.";
    }
    return beyond_the_fitted_rows(entered, x,
                                  run.with_angle.rows == 0
                                      ? ", which no height reaches; every angle cell is empty."
                                      : ", at " + heights_text(run.with_angle) + "; the angle cells of " +
                                            heights_text(run.empty) + ", below it, are empty.",
                                  "; those angle cells are empty.");
}

// Without cohesion a dry slope stands at exactly atan(tan(phi)/FS) at every height, and
// chart 1's fits can read steeper than that: on the unsafe side. Told when the angle the
// file prints, in whole degrees, is above the exact one as this line prints it, with one
// decimal: the engineer designs with the printed numbers.
std::optional<std::string> steeper_than_exact(const ChartInputs& entered, const SweepSummary& run) {
    if (entered.cohesion != 0.0F || !(entered.friction_angle > 0.0F && entered.friction_angle < 90.0F) ||
        !(entered.security_factor > 0.0F) || !(entered.density > 0.0F) || !run.angle ||
        !std::isfinite(*run.angle)) {
        return std::nullopt;
    }
    constexpr double degrees_per_radian = 180.0 / std::numbers::pi;
    const double phi = static_cast<double>(entered.friction_angle) / degrees_per_radian;
    const double exact =
        std::atan(std::tan(phi) / static_cast<double>(entered.security_factor)) * degrees_per_radian;
    const double exact_tenths = std::nearbyint(exact * 10.0) / 10.0;
    const double chart = whole_value(*run.angle);
    if (!(chart > exact_tenths)) {
        return std::nullopt;
    }
    return "with no cohesion a dry slope stands at exactly atan(tan(phi)/FS) = " +
           fixed(static_cast<float>(exact_tenths), 1) + " degrees at every height; chart 1's " +
           fixed(*run.angle, 0) + " is steeper, on the unsafe side.";
}

// Where the angles printed check below the run's FS by more than the margin: at
// heights where chart 1's rows cross, or where the whole degree printed is steeper than
// the chart's angle by enough to read rows of a smaller FS. The first few runs of such
// rows are named, with the angle printed, the FS its check answers and the steepest
// whole degree the check confirms.
std::optional<std::string> checked_short(const ChartInputs& entered, const SweepSummary& run) {
    const Crossings& crossings = run.crossings;
    if (crossings.rows.rows == 0) {
        return std::nullopt;
    }
    const std::string fs = shortest(entered.security_factor);
    std::string line = "the angles printed check more than " +
                       fixed(static_cast<float>(crossing_margin * 100.0), 0) + "% below the FS " + fs +
                       " asked at ";
    const std::int32_t named = std::min(crossings.runs, Crossings::named);
    std::int32_t named_rows = 0;
    bool cross = false;
    for (std::int32_t i = 0; i < named; ++i) {
        const CrossedRows& rows = crossings.first[static_cast<std::size_t>(i)];
        named_rows += rows.heights.rows;
        cross = cross || rows.answer.crossing_fs;
        line += (i == 0 ? "" : "; ") + heights_text(rows.heights) + ": " + fixed(rows.printed, 0) +
                " checks at " + chart_statement(rows.answer) +
                (rows.answer.crossing_fs ? " where chart 1's rows cross" : "") + ", " +
                fixed(*rows.confirmed, 0) + " is confirmed";
    }
    if (crossings.rows.rows > named_rows) {
        line += "; and " + std::to_string(crossings.rows.rows - named_rows) + " more rows up to " +
                heights_text({0, crossings.rows.last, crossings.rows.last});
    }
    return line + ". The file prints the chart's angle rounded to a whole degree" +
           (cross ? ", and where chart 1's rows cross a row of a smaller FS reads less" : "") +
           "; the confirmed angle is the steepest whole degree whose check reaches FS " + fs + ".";
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

// Nothing when the last row is the talus height, printed the same way.
std::optional<std::string> short_of_the_talus(const ChartInputs& entered, const SweepSummary& run) {
    const std::string last = height_text(run.last_height);
    const std::string talus = height_text(entered.height);
    if (last == talus) {
        return std::nullopt;
    }
    const bool above = std::fabs(run.last_height) > std::fabs(entered.height);
    std::string line = "the last row is at H = " + last + (above ? ", above" : ", short of") +
                       " the talus height " + shortest(entered.height) + ": ";
    if (run.last_height + entered.definition == run.last_height) {  // added in float
        return line + "from there on, a step of " + shortest(entered.definition) +
               " no longer adds to the height in single precision, and the rows repeat it.";
    }
    if (!divides_in_decimal(entered.definition, entered.height)) {
        return line + "the step " + shortest(entered.definition) + " does not divide it.";
    }
    // Dividing the height in decimals, and not stopped: the step itself is not the
    // decimal typed, and its sums drift (a step exact in decimal, a binary fraction,
    // adds up to the talus height itself).
    return line + "the step " + shortest(entered.definition) +
           " is not exact in single precision, and the heights are sums of it; a step that is a binary "
           "fraction, such as 0.125, 0.25 or 0.5, adds up exactly.";
}

}  // namespace

std::optional<NoSlope> describes_no_slope(const ChartInputs& reading) {
    if (!(reading.friction_angle > 0.0F && reading.friction_angle < 90.0F)) {
        return NoSlope{0, friction_angle_outside(reading.friction_angle)};
    }
    if (reading.cohesion < 0.0F) {
        return NoSlope{1, cohesion_below_0(reading.cohesion)};
    }
    if (!(reading.density > 0.0F)) {
        return NoSlope{2, density_not_above_0(reading.density)};
    }
    if (!(reading.height > 0.0F)) {
        return NoSlope{3, "the height " + shortest(reading.height) + " is not above 0"};
    }
    if (!(reading.security_factor > 0.0F)) {
        return NoSlope{4, factor_of_safety_not_above_0(reading.security_factor)};
    }
    return std::nullopt;
}

std::string no_angle_at(const ChartInputs& reading) {
    const ChartColumn column = chart_column(reading.friction_angle, reading.security_factor);
    const float y = chart_y(column.tan_phi, reading.cohesion, reading.density, reading.height);
    return beyond_the_fitted_rows(reading, column.x, ", and y = " + fixed(y, 2) + " here.", ".");
}

std::vector<std::string> warnings(const ChartInputs& entered, const SweepSummary& run) {
    std::vector<std::string> lines;
    if (!(entered.friction_angle > 0.0F && entered.friction_angle < 90.0F)) {
        lines.push_back(friction_angle_outside(entered.friction_angle) + std::string(meaningless));
    }
    if (entered.cohesion < 0.0F) {
        lines.push_back(cohesion_below_0(entered.cohesion) + std::string(meaningless));
    }
    if (!(entered.density > 0.0F)) {
        lines.push_back(density_not_above_0(entered.density) + std::string(meaningless));
    }
    if (!(entered.security_factor > 0.0F)) {
        lines.push_back(factor_of_safety_not_above_0(entered.security_factor) + std::string(meaningless));
    } else if (entered.security_factor < 1.0F) {
        lines.push_back("the factor of safety " + shortest(entered.security_factor) +
                        " is below 1: the angles written are those of slopes expected to fail.");
    }
    if (run.rows == 0) {
        lines.push_back(why_no_rows(entered));
        return lines;
    }
    if (entered.height < 0.0F) {
        lines.push_back("the heights are below 0 (the height of the talus " + shortest(entered.height) +
                        " and the step " + shortest(entered.definition) + " are both negative)" +
                        std::string(meaningless));
    }
    if (run.empty.rows > 0) {
        lines.push_back(no_angle(entered, run));
    }
    if (auto steeper = steeper_than_exact(entered, run)) {
        lines.push_back(*std::move(steeper));
    }
    if (auto cross = checked_short(entered, run)) {
        lines.push_back(*std::move(cross));
    }
    if (auto short_of = short_of_the_talus(entered, run)) {
        lines.push_back(*std::move(short_of));
    }
    return lines;
}

}  // namespace zelm
