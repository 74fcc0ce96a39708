// Design chart 1 ("ABAC 1"): the slope angle, in degrees, at which a slope reaches
// the security factor, read from the coordinates x = tan(phi)/FS and
// y = C'/(d*H*tan(phi)).
//
// The chart is held as rows keyed by the hundredths of x. Each row carries a
// validity threshold on y (double precision) and the coefficients of a
// fourth-degree polynomial in y (single precision). Below the threshold the
// polynomial gives the angle; at or beyond it the angle is 90 degrees.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace zelm {

struct ChartRow {
    std::int32_t key;  // hundredths of x: row 38 is x = 0.38
    double threshold;  // y at or beyond which the slope stands at 90 degrees
    float c4, c3, c2, c1, c0;
};

// The rows of chart 1 in increasing key order: every row that has a threshold.
std::span<const ChartRow> chart1_rows();

// The key of the row that x reads: the whole number of hundredths nearest to 100 x, or
// nothing when x is not finite or 100 x does not fit a signed 32-bit integer.
std::optional<std::int32_t> row_key(float x);

// The first and last x whose rows hold a whole fit, so that every y gives an angle:
// 0.20 and 0.80. The rows with a threshold alone (0.10, 0.85 to 1.00) give an angle only
// beyond the chart, where it is 90.
std::array<float, 2> fitted_x_range();

// The factors of safety, as floats, for which x = arrondir(A(phi, FS), 2) reads the row
// `key` (x = key / 100), phi in radians: the smallest and the largest. x falls as FS
// grows, so every FS between them reads that row too. Nothing when no positive FS
// reads it (phi not above 0, or a key that no x of this phi rounds to).
struct FactorsOfSafety {
    float lowest;
    float highest;
};
std::optional<FactorsOfSafety> factors_of_safety_on_row(float phi, std::int32_t key);

// Verdicts of validite.
inline constexpr std::int32_t inside_chart = 1;  // the polynomial applies
inline constexpr std::int32_t beyond_chart = 2;  // the angle is 90 degrees
inline constexpr std::int32_t no_verdict = 0;    // x has no row with a threshold

// inside_chart when y (widened to double) is below the threshold of x's row,
// beyond_chart when it is at or above it, no_verdict when x has no such row.
std::int32_t validite(float x, float y);

// Coefficient of y^4 ... y^0 in x's row. Not a number where the row has none;
// C4 is exactly 0 for every key of 52 or more, where the fit is cubic.
float C4(float x);
float C3(float x);
float C2(float x);
float C1(float x);
float C0(float x);

// Slope angle in degrees for (x, y), at most 90, or nothing when x has no row with a
// threshold. Not a number on a row that has a threshold but no coefficients.
std::optional<float> pente(float x, float y);

}  // namespace zelm
