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

// The first and the last row of chart 1 that give an angle for every y (0.20 and 0.80).
struct FittedRows {
    std::int32_t first;
    std::int32_t last;
};

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

// The x the sweep holds for a row: the float nearest to its two-decimal value.
float x_of(std::int32_t key) { return static_cast<float>(key / 100.0); }

// tan(phi)/tan(angle) from the degrees typed, in double with pi itself.
double dry_factor_of_safety(const SlopeToCheck& slope) {
    const auto radians = [](float degrees) {
        return static_cast<double>(degrees) * std::numbers::pi / 180.0;
    };
    return std::tan(radians(slope.friction_angle)) / std::tan(radians(slope.slope_angle));
}

// A positive value below a printed FS, rounded down to the FS's decimals and printed:
// its digits fit as the FS's do.
std::string rounded_down(double value, std::int32_t decimals) {
    return PrintedFactor{static_cast<std::int64_t>(std::floor(value * std::pow(10.0, decimals))), decimals}
        .text();
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

CheckAnswer check_slope(const SlopeToCheck& slope) {
    CheckAnswer answer;
    answer.why = meaningless(slope);
    if (answer.why != Meaningless::none) {
        return answer;
    }
    // y at the slope's height, as the sweep's row at that height has it, for every FS.
    const float y =
        chart_y(friction_tangent(slope.friction_angle), slope.cohesion, slope.density, slope.height);
    const Chart1Grid::AtY design = chart1_grid().at(y);
    const auto [first, last] = fitted_rows();
    // Every fitted row gives an angle; were one missing, no slope angle would stand
    // against it, and the answer would stay on the safe side.
    const auto stands = [&](std::int32_t key) { return design.at_least(key, slope.slope_angle); };
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
    const auto fs = factors_of_safety_on_row(to_radians(slope.friction_angle), answer.row);
    if (!fs || !printed_range(*fs, answer.lowest, answer.highest)) {
        answer.verdict = Verdict::no_answer;
        answer.why = Meaningless::friction_angle_too_small;
        return answer;
    }
    answer.fs = *fs;
    if (slope.cohesion == 0.0F) {
        answer.dry_fs = dry_factor_of_safety(slope);
    }
    return answer;
}

std::string slope_named(const SlopeToCheck& slope) {
    return "H " + shortest(slope.height) + " m at " + shortest(slope.slope_angle) + " degrees";
}

std::string check_line(const SlopeToCheck& slope, const CheckAnswer& answer) {
    const std::string chart = "(chart 1, x = " + fixed(answer.x, 2);
    switch (answer.verdict) {
        case Verdict::on_row:
            return "FS " + answer.lowest.text() +
                   (answer.lowest.scaled == answer.highest.scaled ? "" : " to " + answer.highest.text()) +
                   " " + chart + ")";
        case Verdict::below_chart:
            return "FS below " + answer.lowest.text() + " " + chart +
                   ": the slope is steeper than even the chart's smallest factor of safety allows)";
        case Verdict::above_chart:
            return "FS above " + answer.highest.text() + " " + chart +
                   ": the slope is no steeper than the chart's largest factor of safety allows)";
        case Verdict::no_answer:
            break;
    }
    return reason(slope, answer.why);
}

std::optional<std::string> check_warning(const CheckAnswer& answer) {
    // The chart's statement that fails for the exact FS: "FS a to b" when it lies below
    // a, "FS above X" when it is not above X. "FS below X" only errs on the safe side.
    const PrintedFactor* stated = nullptr;
    if (answer.verdict == Verdict::on_row && answer.dry_fs < answer.lowest.value()) {
        stated = &answer.lowest;
    } else if (answer.verdict == Verdict::above_chart && answer.dry_fs <= answer.highest.value()) {
        stated = &answer.highest;
    } else {
        return std::nullopt;
    }
    return "with no cohesion, the factor of safety of a dry slope is exactly tan(phi)/tan(angle) = " +
           rounded_down(answer.dry_fs, stated->decimals) + " (rounded down), below what chart 1 gives.";
}

}  // namespace zelm
