#include "sweep/check.hpp"

#include "chart/chart_grid.hpp"
#include "chart/design_chart.hpp"
#include "numbers/writing.hpp"
#include "slices/bishop.hpp"
#include "sweep/conditions.hpp"
#include "sweep/slope_angle.hpp"
#include "sweep/sweep.hpp"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <numbers>
#include <optional>
#include <string>

namespace zelm {
namespace {

// tan(phi)/tan(angle) from the degrees typed, in double with pi itself.
double dry_factor_of_safety(const SlopeToCheck& slope) {
    const auto radians = [](float degrees) {
        return static_cast<double>(degrees) * std::numbers::pi / 180.0;
    };
    return std::tan(radians(slope.friction_angle)) / std::tan(radians(slope.slope_angle));
}

}  // namespace

std::optional<std::size_t> refused_position(const CheckAnswer& answer) {
    if (answer.violation) {
        return answer.violation->position;
    }
    if (answer.friction_angle_too_small) {
        return place_of(check_rules, Field::friction_angle);
    }
    return std::nullopt;
}

std::int32_t key_of(float x) {
    return static_cast<std::int32_t>(std::lround(100.0 * static_cast<double>(x)));
}

// Two decimals are enough unless the range spans less than 0.01 of FS, which happens for
// small friction angles (below about 0.6 degrees on row 80). A real number at or above a
// float is read back as a float at or above it, so both printed values, typed as FS,
// read the range.
bool printed_range(FactorsOfSafety fs, PrintedFactor& lowest, PrintedFactor& highest) {
    double scale = 10.0;
    for (std::int32_t decimals = 2; decimals <= most_fs_decimals; ++decimals) {
        scale *= 10.0;  // exact: 10^decimals
        const double up = std::ceil(static_cast<double>(fs.lowest) * scale);
        const double down = std::floor(static_cast<double>(fs.highest) * scale);
        if (!(down < 0x1p53)) {  // from 2^53 on, the digits are no longer exact
            return false;
        }
        if (up <= down) {
            lowest = {static_cast<std::int64_t>(up), decimals};
            highest = {static_cast<std::int64_t>(down), decimals};
            return true;
        }
    }
    return false;
}

double PrintedFactor::value() const {
    // scaled lies below 2^53 and 10^decimals is exact: one rounding, that of the decimal.
    return static_cast<double>(scaled) /
           coordinates::exact_powers_of_ten.at(static_cast<std::size_t>(decimals));
}

std::string PrintedFactor::text() const {
    std::string digits = std::to_string(scaled);
    const auto point = static_cast<std::size_t>(decimals);
    if (digits.size() <= point) {
        digits.insert(0, point + 1 - digits.size(), '0');
    }
    return digits.insert(digits.size() - point, 1, '.');
}

CheckAnswer check_rows(const ChartGrid::AtY& design, float phi, float slope_angle) {
    CheckAnswer answer;
    answer.chart = &design.chart();
    const auto [first, last] = design.chart().fitted;
    // Every fitted row gives an angle; were one missing, no slope angle would stand
    // against it, and the answer would stay on the safe side.
    const auto stands = [&](std::int32_t key) { return design.at_least(key, slope_angle); };
    // Up in FS, down in x: the first row whose design angle is below the slope's.
    std::int32_t below = last;
    while (below >= first && stands(below)) {
        --below;
    }
    answer.verdict = below == last   ? Verdict::below_chart
                     : below < first ? Verdict::above_chart
                                     : Verdict::on_row;
    answer.row = below == last ? last : below < first ? first : below + 1;
    answer.x = on_grid(answer.row);  // the x the sweep holds for the row
    const auto fs = factors_of_safety_on_row(phi, answer.row);
    if (!fs || !printed_range(*fs, answer.lowest, answer.highest)) {
        answer.verdict = Verdict::no_answer;
        answer.friction_angle_too_small = true;
        return answer;
    }
    answer.fs = *fs;
    // A row at a larger FS that reads the slope's angle again: then the largest FS at
    // which the angle, as a design run prints it in whole degrees, is still the slope's.
    std::int32_t again = first;
    while (again < below && !stands(again)) {
        ++again;
    }
    if (again >= below) {  // no row at a larger FS reads the angle again, or none is below it
        return answer;
    }
    // The first row, up in x, whose printed angle is the slope's or steeper: at most
    // `again`, unless rounding takes that one below the slope's angle (65.12 prints 65).
    std::int32_t printed = first;
    const auto prints_at_least = [&](std::int32_t key) {
        return whole_value(*design.angle(key)) >= static_cast<double>(slope_angle);
    };
    while (printed < again && !prints_at_least(printed)) {
        ++printed;
    }
    if (prints_at_least(printed)) {
        PrintedFactor lowest{};
        PrintedFactor highest{};
        const auto crossing = factors_of_safety_on_row(phi, printed);
        if (crossing && printed_range(*crossing, lowest, highest)) {
            answer.crossing_fs = highest;
            answer.crossing_printed = static_cast<float>(whole_value(*design.angle(printed)));
        }
    }
    return answer;
}

StatedFactor stated_factor(const CheckAnswer& answer) {
    // The chart's end that the exact FS of a dry slope falls short of, if any (a NaN
    // dry_fs, with cohesion, falls short of none).
    const PrintedFactor* overstated = nullptr;
    if (answer.verdict == Verdict::on_row && answer.dry_fs < answer.lowest.value()) {
        overstated = &answer.lowest;
    } else if (answer.verdict == Verdict::above_chart && answer.dry_fs <= answer.highest.value()) {
        overstated = &answer.highest;
    }
    StatedFactor stated;
    if (overstated != nullptr) {
        // Below the chart's end, at most about 3: its digits fit the scaled integer.
        const PrintedFactor exact{
            static_cast<std::int64_t>(std::floor(answer.dry_fs * std::pow(10.0, overstated->decimals))),
            overstated->decimals};
        stated.exact = true;
        stated.lower = exact;
        stated.upper = exact;
        return stated;
    }
    switch (answer.verdict) {
        case Verdict::on_row:
            stated.lower = answer.lowest;
            stated.upper = answer.highest;
            break;
        case Verdict::below_chart:
            stated.upper = answer.lowest;
            break;
        case Verdict::above_chart:
            stated.lower = answer.highest;
            break;
        case Verdict::no_answer:
            break;
    }
    return stated;
}

Diagnostic check_statement(const CheckAnswer& answer) {
    switch (answer.verdict) {
        case Verdict::below_chart:
            return {Said::fs_below, Field::security_factor, {{"lowest", Text{answer.lowest.text()}}}};
        case Verdict::above_chart:
            return {Said::fs_above, Field::security_factor, {{"highest", Text{answer.highest.text()}}}};
        case Verdict::on_row:
        case Verdict::no_answer:
            break;
    }
    Diagnostic range{Said::fs_range, Field::security_factor, {{"lowest", Text{answer.lowest.text()}}}};
    if (answer.lowest.scaled != answer.highest.scaled) {
        range.args.push_back({"highest", Text{answer.highest.text()}});
    }
    return range;
}

double highest_fs_checked(const CheckAnswer& answer) {
    switch (answer.verdict) {
        case Verdict::on_row:
            return answer.highest.value();
        case Verdict::below_chart:  // every FS below the bound, none at it
            return std::nextafter(answer.lowest.value(), 0.0);
        case Verdict::above_chart:
            return std::numeric_limits<double>::infinity();
        case Verdict::no_answer:
            break;
    }
    return std::numeric_limits<double>::quiet_NaN();
}

std::optional<float> confirmed_angle(const ChartGrid::AtY& design, std::int32_t run_key) {
    const auto [first, last] = design.chart().fitted;
    if (run_key < first || run_key > last) {
        return std::nullopt;
    }
    float least = 90.0F;
    for (std::int32_t key = run_key; key <= last; ++key) {
        const auto angle = design.angle(key);
        if (!angle || std::isnan(*angle)) {
            return std::nullopt;
        }
        least = std::min(least, *angle);
    }
    const float whole = std::floor(least);
    if (!(whole > 0.0F)) {
        return std::nullopt;
    }
    return whole;
}

CheckAnswer check_slope(const SlopeToCheck& slope) {
    CheckAnswer answer;
    answer.chart = slope.chart;
    // A vertical face is a slope: a chart gives 90 degrees wherever y lies beyond a row's
    // threshold, so 90 itself is answered. Beyond 90 the face would overhang.
    answer.violation = first_violation(check_rules, [standing = homogeneous(slope, {})](Field field) {
        return value_of(standing, field);  // the slope's five values, as Bishop's method reads them
    });
    if (answer.violation) {
        return answer;
    }
    // y at the slope's height, as the sweep's row at that height has it, for every FS.
    const float y =
        chart_y(friction_tangent(slope.friction_angle), slope.cohesion, slope.density, slope.height);
    answer = check_rows(slope.chart->grid().at(y), to_radians(slope.friction_angle), slope.slope_angle);
    if (answer.verdict != Verdict::no_answer && slope.cohesion == 0.0F) {
        answer.dry_fs = dry_factor_of_safety(slope);
    }
    return answer;
}

}  // namespace zelm
