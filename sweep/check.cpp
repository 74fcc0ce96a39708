#include "sweep/check.hpp"

#include "chart/chart1.hpp"
#include "chart/chart1_grid.hpp"
#include "numbers/writing.hpp"
#include "sweep/slope_angle.hpp"
#include "sweep/sweep.hpp"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <optional>
#include <string>

namespace zelm {
namespace {

// The most decimals a printed FS is given. Up to 12 the product of a float FS by 10^n
// is exact in double (a float's 24-bit significand times 5^12 < 2^28 fits 53 bits), so
// rounding it up or down to n decimals is exact too. A row narrower than 10^-12 of FS
// needs a friction angle below about 10^-8 degrees.
constexpr std::int32_t most_decimals = 12;

// What in the values leaves the chart nothing to read, in the order they are typed.
Meaningless meaningless(const SlopeToCheck& slope) {
    const auto finite = [](float value) { return std::isfinite(value); };
    if (!(finite(slope.friction_angle) && slope.friction_angle > 0.0F && slope.friction_angle < 90.0F)) {
        return Meaningless::friction_angle;
    }
    if (!(finite(slope.cohesion) && slope.cohesion >= 0.0F)) {
        return Meaningless::cohesion;
    }
    if (!(finite(slope.density) && slope.density > 0.0F)) {
        return Meaningless::density;
    }
    if (!(finite(slope.height) && slope.height > 0.0F)) {
        return Meaningless::height;
    }
    // A vertical face is a slope: chart 1 gives 90 degrees wherever y lies beyond a
    // row's threshold, so 90 itself is answered. Beyond 90 the face would overhang.
    if (!(finite(slope.slope_angle) && slope.slope_angle > 0.0F && slope.slope_angle <= 90.0F)) {
        return Meaningless::slope_angle;
    }
    return Meaningless::none;
}

// The x the sweep holds for a row: the float nearest to its two-decimal value.
float x_of(std::int32_t key) { return static_cast<float>(key / 100.0); }

// tan(phi)/tan(angle) from the degrees typed, in double with pi itself.
double dry_factor_of_safety(const SlopeToCheck& slope) {
    const auto radians = [](float degrees) {
        return static_cast<double>(degrees) * std::numbers::pi / 180.0;
    };
    return std::tan(radians(slope.friction_angle)) / std::tan(radians(slope.slope_angle));
}

std::string reason(const SlopeToCheck& slope, Meaningless why) {
    const auto value = [](const char* name, float v, const char* rule) {
        return std::string(name) + " " + shortest(v) + (std::isfinite(v) ? rule : " is not a finite number") +
               ".";
    };
    switch (why) {
        case Meaningless::friction_angle:
            return value("the friction angle", slope.friction_angle, " is not between 0 and 90 degrees");
        case Meaningless::cohesion:
            return value("the cohesion", slope.cohesion, " is below 0");
        case Meaningless::density:
            return value("the density", slope.density, " is not above 0");
        case Meaningless::height:
            return value("the height of the slope", slope.height, " is not above 0");
        case Meaningless::slope_angle:
            return value("the slope angle", slope.slope_angle,
                         slope.slope_angle > 0.0F ? " is above 90 degrees: a slope stands at most vertical"
                                                  : " is not above 0 degrees");
        case Meaningless::friction_angle_too_small:
            return "the friction angle " + shortest(slope.friction_angle) +
                   " is too small: the factors of safety chart 1 tells apart for it need more than " +
                   std::to_string(most_decimals) + " decimals.";
        case Meaningless::none:
            break;
    }
    return {};
}

}  // namespace

std::size_t typed_position(Meaningless why) {
    switch (why) {
        case Meaningless::cohesion:
            return 1;
        case Meaningless::density:
            return 2;
        case Meaningless::height:
            return 3;
        case Meaningless::slope_angle:
            return 4;
        case Meaningless::none:
        case Meaningless::friction_angle:
        case Meaningless::friction_angle_too_small:
            break;
    }
    return 0;
}

std::int32_t key_of(float x) {
    return static_cast<std::int32_t>(std::lround(100.0 * static_cast<double>(x)));
}

const FittedRows& fitted_rows() {
    static const FittedRows rows = [] {
        const auto [first, last] = fitted_x_range();
        return FittedRows{key_of(first), key_of(last)};
    }();
    return rows;
}

// Two decimals are enough unless the range spans less than 0.01 of FS, which happens for
// small friction angles (below about 0.6 degrees on row 80). A real number at or above a
// float is read back as a float at or above it, so both printed values, typed as FS,
// read the range.
bool printed_range(FactorsOfSafety fs, PrintedFactor& lowest, PrintedFactor& highest) {
    double scale = 10.0;
    for (std::int32_t decimals = 2; decimals <= most_decimals; ++decimals) {
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
    return static_cast<double>(scaled) / std::pow(10.0, decimals);
}

std::string PrintedFactor::text() const {
    std::string digits = std::to_string(scaled);
    const auto point = static_cast<std::size_t>(decimals);
    if (digits.size() <= point) {
        digits.insert(0, point + 1 - digits.size(), '0');
    }
    return digits.insert(digits.size() - point, 1, '.');
}

CheckAnswer check_rows(const Chart1Grid::AtY& design, float phi, float slope_angle) {
    CheckAnswer answer;
    const auto [first, last] = fitted_rows();
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
    answer.x = x_of(answer.row);
    const auto fs = factors_of_safety_on_row(phi, answer.row);
    if (!fs || !printed_range(*fs, answer.lowest, answer.highest)) {
        answer.verdict = Verdict::no_answer;
        answer.why = Meaningless::friction_angle_too_small;
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

std::optional<float> confirmed_angle(const Chart1Grid::AtY& design, std::int32_t run_key) {
    const auto [first, last] = fitted_rows();
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
    answer.why = meaningless(slope);
    if (answer.why != Meaningless::none) {
        return answer;
    }
    // y at the slope's height, as the sweep's row at that height has it, for every FS.
    const float y =
        chart_y(friction_tangent(slope.friction_angle), slope.cohesion, slope.density, slope.height);
    answer = check_rows(chart1_grid().at(y), to_radians(slope.friction_angle), slope.slope_angle);
    if (answer.verdict != Verdict::no_answer && slope.cohesion == 0.0F) {
        answer.dry_fs = dry_factor_of_safety(slope);
    }
    return answer;
}

std::string slope_named(const SlopeToCheck& slope) {
    return "H " + shortest(slope.height) + " m at " + shortest(slope.slope_angle) + " degrees";
}

std::string chart_statement(const CheckAnswer& answer) {
    switch (answer.verdict) {
        case Verdict::on_row:
            return "FS " + answer.lowest.text() +
                   (answer.lowest.scaled == answer.highest.scaled ? "" : " to " + answer.highest.text());
        case Verdict::below_chart:
            return "FS below " + answer.lowest.text();
        case Verdict::above_chart:
            return "FS above " + answer.highest.text();
        case Verdict::no_answer:
            break;
    }
    return {};
}

namespace {

// The chart's printed FS that the exact FS of a dry slope falls short of, or nothing:
// "FS a to b" when it lies below a, "FS above X" when it is not above X. "FS below X"
// only errs on the safe side.
const PrintedFactor* overstated_for_a_dry_slope(const CheckAnswer& answer) {
    if (answer.verdict == Verdict::on_row && answer.dry_fs < answer.lowest.value()) {
        return &answer.lowest;
    }
    if (answer.verdict == Verdict::above_chart && answer.dry_fs <= answer.highest.value()) {
        return &answer.highest;
    }
    return nullptr;
}

// Said of an answer whose FS lies below 1, or may: from `lowest` up to `highest`
// (infinite above the chart, and below the chart's bound for a slope steeper than it).
std::string below_one(double lowest, double highest, Verdict verdict) {
    if (highest < 1.0) {
        return "; below 1, the slope is expected to fail";
    }
    if (verdict == Verdict::above_chart && lowest < 1.0) {
        return "; whether it reaches 1 the chart cannot tell";
    }
    return verdict == Verdict::on_row && lowest < 1.0 ? "; the range holds 1, and the slope may fail" : "";
}

}  // namespace

std::string check_line(const SlopeToCheck& slope, const CheckAnswer& answer) {
    if (answer.verdict == Verdict::no_answer) {
        return reason(slope, answer.why);
    }
    std::string beyond;
    if (answer.verdict == Verdict::below_chart) {
        beyond = ": the slope is steeper than even the chart's smallest factor of safety allows";
    } else if (answer.verdict == Verdict::above_chart) {
        beyond = ": the slope is no steeper than the chart's largest factor of safety allows";
    }
    const std::string x = "x = " + fixed(answer.x, 2) + beyond;
    std::string line;
    // What the line states, from its lowest FS to its highest.
    double lowest = answer.verdict == Verdict::above_chart ? answer.highest.value() : answer.lowest.value();
    double highest = highest_fs_checked(answer);
    if (const PrintedFactor* stated = overstated_for_a_dry_slope(answer)) {
        // The safe number first, as a script reads it: the exact FS rounded down.
        const PrintedFactor exact{
            static_cast<std::int64_t>(std::floor(answer.dry_fs * std::pow(10.0, stated->decimals))),
            stated->decimals};
        lowest = exact.value();
        highest = lowest;
        line = "FS " + exact.text() +
               " (exact for a dry slope with no cohesion, tan(phi)/tan(angle), rounded down; chart 1 gives " +
               chart_statement(answer) + ", " + x + ")";
    } else {
        line = chart_statement(answer) + " (chart 1, " + x + ")";
    }
    line += below_one(lowest, highest, answer.verdict);
    if (answer.crossing_fs) {
        // The design run prints whole degrees: the first at least the slope's angle.
        const float least = std::ceil(slope.slope_angle);
        line += "; chart 1's rows cross here: a design run prints " + fixed(least, 0) +
                (answer.crossing_printed > least ? " or steeper" : "") + " up to FS " +
                answer.crossing_fs->text();
    }
    return line;
}

}  // namespace zelm
