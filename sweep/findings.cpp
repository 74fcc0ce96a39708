#include "sweep/findings.hpp"

#include "numbers/reading.hpp"
#include "numbers/writing.hpp"
#include "sweep/slope_angle.hpp"
#include "sweep/step_sums.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>

namespace zelm {
namespace {

bool between_0_and_90(float degrees) { return degrees > 0.0F && degrees < 90.0F; }

NoRows why_no_rows(const ChartInputs& entered) {
    NoRows none{NoRows::Why::too_many_rows, entered.height, entered.definition};
    if (entered.definition == 0.0F) {
        none.why = NoRows::Why::zero_step;
    } else if (entered.height == 0.0F) {
        none.why = NoRows::Why::zero_height;
    } else if ((entered.height < 0.0F) != (entered.definition < 0.0F)) {
        none.why = NoRows::Why::opposite_signs;
    } else if (std::fabs(entered.height) < std::fabs(entered.definition)) {
        none.why = NoRows::Why::height_below_step;
    }
    return none;
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

// Angle cells empty at x: on a row that holds only the vertical slope (x = 0.10, 0.85 to
// 1.00 on the design chart), with its threshold; otherwise x reads no row.
EmptyAngles beyond_the_fitted_rows(const ChartInputs& entered, float x) {
    EmptyAngles empty{EmptyAngles::Why::off_the_chart, entered.chart, entered.friction_angle,
                      entered.security_factor, x};
    const auto rows = entered.chart->rows;
    const auto row = std::find_if(rows.begin(), rows.end(), [&](const ChartRow& r) {
        return static_cast<double>(r.key) == std::round(100.0 * static_cast<double>(x));
    });
    if (row != rows.end()) {
        empty.why = EmptyAngles::Why::vertical_only;
        empty.threshold = row->threshold;
    }
    if (!std::isnan(x)) {
        empty.fitted = fitted_factors_of_safety(*entered.chart, entered.friction_angle);
    }
    return empty;
}

EmptyAngles empty_angles(const ChartInputs& entered, const SweepSummary& run) {
    const auto [first, last] = fitted_x_range(*entered.chart);
    const float x = run.x;
    const bool confirmed = entered.angles == Angles::confirmed;
    EmptyAngles empty{EmptyAngles::Why::friction_angle, entered.chart, entered.friction_angle,
                      entered.security_factor, x};
    empty.confirmed = confirmed;
    // Beyond 0 to 90 degrees tan(phi) means nothing, and neither does x.
    if (!(entered.friction_angle >= 0.0F && entered.friction_angle < 90.0F)) {
        return empty;
    }
    // Nor for a factor of safety not above 0: no other FS brings x onto the chart.
    if (!(entered.security_factor > 0.0F)) {
        empty.why = EmptyAngles::Why::security_factor;
        return empty;
    }
    if (x >= first && x <= last) {
        // Without a number for y no angle is read, nor confirmed; with one, the chart reads
        // less than a whole degree there.
        const bool y_read = run.empty.rows < run.unconfirmed.rows;
        empty.why = confirmed && y_read ? EmptyAngles::Why::not_confirmed : EmptyAngles::Why::y_not_a_number;
        empty.empty = confirmed ? run.unconfirmed : run.empty;
        return empty;
    }
    empty = beyond_the_fitted_rows(entered, x);
    empty.confirmed = confirmed;
    empty.vertical = confirmed ? Heights{} : run.with_angle;
    empty.empty = confirmed ? run.unconfirmed : run.empty;
    return empty;
}

// Without cohesion a dry slope stands at exactly atan(tan(phi)/FS) at every height, and
// a chart's fits can read steeper than that: on the unsafe side. Found when the angle the
// file prints, in whole degrees, is above the exact one to a tenth: the engineer designs
// with the printed numbers.
std::optional<SteeperThanExact> steeper_than_exact(const ChartInputs& entered, const SweepSummary& run) {
    const std::optional<float> written = entered.angles == Angles::confirmed ? run.confirmed : run.angle;
    if (entered.cohesion != 0.0F || !between_0_and_90(entered.friction_angle) ||
        !(entered.security_factor > 0.0F) || !(entered.density > 0.0F) || !written ||
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
    return SteeperThanExact{exact_tenths, *written, entered.chart};
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

// The heights of `rows` rows that stop growing before the last of them.
std::optional<ShortOfTalus> stop_growing(const ChartInputs& entered, std::int32_t rows) {
    const StepSums sums = sum_steps(entered.definition, rows);
    if (sums.reached >= rows) {
        return std::nullopt;
    }
    return ShortOfTalus{ShortOfTalus::Why::step_no_longer_adds,
                        sums.last,
                        entered.height,
                        entered.definition,
                        sums.reached,
                        rows - sums.reached};
}

// Nothing when the last row is the talus height, printed the same way, and every row
// adds the step.
std::optional<ShortOfTalus> short_of_the_talus(const ChartInputs& entered, const SweepSummary& run) {
    if (auto stopped = stop_growing(entered, run.rows)) {
        return stopped;
    }
    const auto printed = [](float height) {
        const auto cell = decimal_comma(height);
        return cell ? std::optional(std::pair(cell->negative, std::pair(cell->whole, cell->hundredths)))
                    : std::nullopt;
    };
    if (printed(run.last_height) == printed(entered.height)) {
        return std::nullopt;
    }
    ShortOfTalus short_of{ShortOfTalus::Why::step_not_exact, run.last_height, entered.height,
                          entered.definition};
    if (!divides_in_decimal(entered.definition, entered.height)) {
        short_of.why = ShortOfTalus::Why::step_does_not_divide;
    }
    // Otherwise it divides the height in decimals, and the sums were not stopped: the
    // step itself is not the decimal typed, and its sums drift.
    return short_of;
}

// Nothing when the header shows every value as typed.
std::optional<HeaderRounds> header_rounds(const ChartInputs& entered) {
    HeaderRounds rounds{entered, {}};
    bool any = false;
    for (std::size_t i = 0; i < header_values.size(); ++i) {
        const float typed = entered.*header_values[i];
        const Entry shown = read_entry(fixed(typed, 1));
        rounds.rounded[i] = !shown.value || *shown.value != typed;
        any = any || rounds.rounded[i];
    }
    return any ? std::optional(rounds) : std::nullopt;
}

template <typename Found>
void add(std::vector<Finding>& findings, std::optional<Found> found) {
    if (found) {
        findings.emplace_back(*std::move(found));
    }
}

}  // namespace

std::optional<ValueWithoutMeaning> describes_no_slope(const ChartInputs& reading) {
    using Which = ValueWithoutMeaning::Which;
    if (!between_0_and_90(reading.friction_angle)) {
        return ValueWithoutMeaning{Which::friction_angle, reading.friction_angle};
    }
    if (reading.cohesion < 0.0F) {
        return ValueWithoutMeaning{Which::cohesion, reading.cohesion};
    }
    if (!(reading.density > 0.0F)) {
        return ValueWithoutMeaning{Which::density, reading.density, reading.units};
    }
    if (!(reading.height > 0.0F)) {
        return ValueWithoutMeaning{Which::height, reading.height};
    }
    if (!(reading.security_factor > 0.0F)) {
        return ValueWithoutMeaning{Which::security_factor, reading.security_factor};
    }
    return std::nullopt;
}

std::optional<ShortOfTalus> heights_stop_growing(const ChartInputs& entered) {
    return stop_growing(entered, row_count(entered.height, entered.definition));
}

EmptyAngles no_angle_at(const ChartInputs& reading) {
    const ChartColumn column = chart_column(reading.friction_angle, reading.security_factor);
    EmptyAngles empty = beyond_the_fitted_rows(reading, column.x);
    empty.y = chart_y(column.tan_phi, reading.cohesion, reading.density, reading.height);
    return empty;
}

std::vector<Finding> run_findings(const ChartInputs& entered, const SweepSummary& run) {
    using Which = ValueWithoutMeaning::Which;
    std::vector<Finding> findings;
    if (!between_0_and_90(entered.friction_angle)) {
        findings.emplace_back(ValueWithoutMeaning{Which::friction_angle, entered.friction_angle});
    }
    if (entered.cohesion < 0.0F) {
        findings.emplace_back(ValueWithoutMeaning{Which::cohesion, entered.cohesion});
    }
    if (!(entered.density > 0.0F)) {
        findings.emplace_back(ValueWithoutMeaning{Which::density, entered.density, entered.units});
    }
    add(findings, unit_weight_out_of_range(entered.density, entered.units));
    if (!(entered.security_factor > 0.0F)) {
        findings.emplace_back(ValueWithoutMeaning{Which::security_factor, entered.security_factor});
    } else if (entered.security_factor < 1.0F) {
        findings.emplace_back(FactorOfSafetyBelowOne{entered.security_factor});
    }
    if (run.rows == 0) {
        findings.emplace_back(why_no_rows(entered));
        return findings;
    }
    if (entered.height < 0.0F) {
        findings.emplace_back(HeightsBelowZero{entered.height, entered.definition});
    }
    // The confirmed angles check at the run's FS by their making: none falls short.
    const bool confirmed = entered.angles == Angles::confirmed;
    if (confirmed) {
        findings.emplace_back(ConfirmedAnglesWritten{entered.security_factor, entered.chart});
    }
    if ((confirmed ? run.unconfirmed : run.empty).rows > 0) {
        findings.emplace_back(empty_angles(entered, run));
    }
    add(findings, steeper_than_exact(entered, run));
    if (!confirmed && run.crossings.rows.rows > 0) {
        findings.emplace_back(PrintedChecksShort{entered.security_factor, run.crossings, entered.chart});
    }
    add(findings, short_of_the_talus(entered, run));
    add(findings, header_rounds(entered));
    return findings;
}

}  // namespace zelm
