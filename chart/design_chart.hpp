// A design chart: the slope angle, in degrees, at which a slope reaches the security
// factor, read from the coordinates x = tan(phi)/FS and y = C'/(d*H*tan(phi)).
//
// A chart is held as rows keyed by the hundredths of x. Each row carries a validity
// threshold on y (double precision) and the coefficients of a fourth-degree polynomial
// in y (single precision). Below the threshold the polynomial gives the angle; at or
// beyond it the angle is 90 degrees.
//
// A chart is a constant value: its rows, its names and what the readers take from its
// rows once. Each chart's table is defined in a file of its own (chart1.cpp); the
// readers below take the chart they read, so that nothing else knows which one it is.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace zelm {

struct ChartRow {
    std::int32_t key;  // hundredths of x: row 38 is x = 0.38
    double threshold;  // y at or beyond which the slope stands at 90 degrees
    float c4, c3, c2, c1, c0;
};

// The keys of the first and the last row that hold a whole fit, so that every y gives
// an angle between them.
struct FittedRows {
    std::int32_t first;
    std::int32_t last;
};

class ChartGrid;

struct DesignChart {
    // The chart as the program's sentences name it ("chart 1"); as the result file's
    // header, the workbook's sheet and its title label it, in ASCII ("ABAC 1"); and as
    // the workbook's Catalan description names it, in UTF-8 (l'abac 1, its first a
    // with a grave accent).
    std::string_view name;
    std::string_view label;
    std::string_view catalan_name;
    // Every row that has a threshold, in increasing key order.
    std::span<const ChartRow> rows;
    FittedRows fitted;
    // From this key on the fits are cubic: C4 is exactly 0 on every key from here on,
    // a key without a row included.
    std::int32_t first_cubic_key;
    // The chart's angles on its grid (chart_grid.hpp), made on the first call and
    // constant from then on: each chart's definition keeps its own.
    const ChartGrid& (*grid)();
};

// The chart the program reads: the one place that chooses it.
const DesignChart& design_chart();

// The fitted rows of a table, for its definition: those whose five coefficients are all
// numbers. The table has at least one.
constexpr FittedRows fitted_rows_of(std::span<const ChartRow> rows) {
    const auto fitted = [](const ChartRow& row) {
        // A NaN is the one value unequal to itself.
        return row.c4 == row.c4 && row.c3 == row.c3 && row.c2 == row.c2 && row.c1 == row.c1 &&
               row.c0 == row.c0;
    };
    std::size_t first = 0;
    while (!fitted(rows[first])) {
        ++first;
    }
    std::size_t last = rows.size() - 1;
    while (!fitted(rows[last])) {
        --last;
    }
    return {rows[first].key, rows[last].key};
}

// The key of the row that x reads: the whole number of hundredths nearest to 100 x, or
// nothing when x is not finite or 100 x does not fit a signed 32-bit integer.
std::optional<std::int32_t> row_key(float x);

// The first and last x whose rows hold a whole fit, so that every y gives an angle: 0.20
// and 0.80 on chart 1. The rows with a threshold alone (0.10, 0.85 to 1.00 there) give an
// angle only beyond the chart, where it is 90.
std::array<float, 2> fitted_x_range(const DesignChart& chart);

// The factors of safety, as floats, for which x = arrondir(A(phi, FS), 2) reads the row
// `key` (x = key / 100), phi in radians: the smallest and the largest. x falls as FS
// grows, so every FS between them reads that row too. Nothing when no positive FS
// reads it (phi not above 0, or a key that no x of this phi rounds to). The same for
// every chart: it is the two-decimal grid of x that shares out the FS.
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
std::int32_t validite(const DesignChart& chart, float x, float y);

// Coefficient of y^4 ... y^0 in x's row. Not a number where the row has none;
// C4 is exactly 0 for every key from the chart's first cubic key on.
float C4(const DesignChart& chart, float x);
float C3(const DesignChart& chart, float x);
float C2(const DesignChart& chart, float x);
float C1(const DesignChart& chart, float x);
float C0(const DesignChart& chart, float x);

// Slope angle in degrees for (x, y), at most 90, or nothing when x has no row with a
// threshold. Not a number on a row that has a threshold but no coefficients.
std::optional<float> pente(const DesignChart& chart, float x, float y);

}  // namespace zelm
