// The check of a slope that already stands: which factor of safety a chart gives a slope
// of a given height and angle, in a material of a given friction angle, cohesion and
// density. The design question asks the angle for an FS; this one asks the FS for an
// angle, and answers it with the same rows the sweep reads.
//
// For one material and height, y = C'/(d*H*tan(phi)) does not depend on FS; FS enters
// only through x = tan(phi)/FS, read on the chart's two-decimal grid. So the design
// angle at that height is a step function of FS, one step per chart row, and the chart
// can tell FS no finer than the range of FS that reads one row. The chart is not
// monotone in x everywhere (a few rows give a larger angle than the row before), so the
// answer is the conservative one: going up in FS from the chart's smallest (its last
// fitted row, x = 0.80 on the design chart) one row at a time, the range of the last row
// before the first whose design angle is below the slope's.
#pragma once

#include "chart/chart_grid.hpp"
#include "chart/design_chart.hpp"
#include "entries/diagnostic.hpp"
#include "sweep/chart_inputs.hpp"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace zelm {

// The slope to check, as typed at the console.
struct SlopeToCheck {
    float friction_angle;  // phi, degrees
    float cohesion;        // C', Tn/m2 (or kPa)
    float density;         // d, Tn/m3 (or the unit weight, kN/m3)
    float height;          // H, m
    float slope_angle;     // the angle of the slope's face, degrees
    // The chart the slope is checked on: never null.
    const DesignChart* chart = &design_chart();
    Units units = Units::tonnes;  // the units C' and d are given in, which the words follow
};

enum class Verdict : std::uint8_t {
    on_row,       // the slope's FS lies in the range of FS that reads one chart row
    below_chart,  // steeper than the design angle even at the chart's smallest FS
    above_chart,  // no steeper than the design angle at the chart's largest FS
    no_answer,    // the values describe no slope the chart can be read for
};

// The most decimals a printed FS is given. Up to 12 the product of a float FS by 10^n
// is exact in double (a float's 24-bit significand times 5^12 < 2^28 fits 53 bits), so
// rounding it up or down to n decimals is exact too. A row narrower than 10^-12 of FS
// needs a friction angle below about 10^-8 degrees.
inline constexpr std::int32_t most_fs_decimals = 12;

// A factor of safety as printed: scaled / 10^decimals, {133, 2} for 1.33.
struct PrintedFactor {
    std::int64_t scaled;
    std::int32_t decimals;

    double value() const;      // the double nearest to the decimal
    std::string text() const;  // "1.33"
};

// A range of factors of safety as a person types it: its smallest rounded up and its
// largest rounded down, with the fewest decimals, two or more, for which a decimal lies
// between them. False when the range is too narrow for 12 decimals.
bool printed_range(FactorsOfSafety fs, PrintedFactor& lowest, PrintedFactor& highest);

struct CheckAnswer {
    Verdict verdict = Verdict::no_answer;
    // With no answer, why: the first value, in the order typed, that breaks its rule
    // (entries/rules.hpp, check_rules); or, every value keeping it, a friction angle above
    // 0 but so small that the chart's rows span too little FS to be told apart in print
    // (below about 10^-9 degrees).
    std::optional<Violation> violation;
    bool friction_angle_too_small = false;
    // The chart the answer was read on, which its words name; set by check_slope and
    // check_rows, whatever the verdict.
    const DesignChart* chart = nullptr;
    // The chart row the answer comes from (x = row / 100): the row found, the last fitted
    // row (80) for a slope below the chart, the first (20) for one above it.
    std::int32_t row = 0;
    float x = 0.0F;
    // The smallest and the largest float FS that read that row, as the sweep reads it.
    FactorsOfSafety fs{};
    // Printed: the smallest rounded up and the largest rounded down, each still reading
    // the row when typed back as FS. "below" names `lowest`, "above" names `highest`.
    PrintedFactor lowest{};
    PrintedFactor highest{};
    // With no cohesion, the exact factor of safety of a dry cohesionless slope,
    // tan(phi)/tan(angle); not a number otherwise.
    double dry_fs = std::numeric_limits<double>::quiet_NaN();
    // Where the chart's rows cross: a row at a larger FS than the answer's reads the
    // slope's angle again. Then the largest FS at which a design run prints an angle at
    // least the slope's (its row's largest FS, rounded down), and that printed angle.
    std::optional<PrintedFactor> crossing_fs;
    float crossing_printed = 0.0F;
};

// The check of one slope. Allocates nothing, once the first check has tabled the
// chart.
CheckAnswer check_slope(const SlopeToCheck& slope);

// Where the value that leaves the check without an answer is typed among the five
// (check_rules): the violation's place, or the friction angle's where it is too small.
// Nothing for an answer.
std::optional<std::size_t> refused_position(const CheckAnswer& answer);

// The check's reading of the rows of a chart at one y (friction angle phi in radians,
// the slope's angle in degrees): the answer's verdict, row, FS and crossing, with no
// dry-slope FS. The values are taken to describe a slope; no_answer only where phi is
// too small to print the row's FS.
CheckAnswer check_rows(const ChartGrid::AtY& design, float phi, float slope_angle);

// What a check states first, the number to act on: the chart's answer, or, for a dry slope
// with no cohesion where the chart states more than its exact FS (a row whose smallest FS
// lies above it, or "above" an FS the exact one does not exceed), that exact FS rounded
// down to the decimals of the chart's end it falls short of. "Below" the chart's smallest
// FS only errs on the safe side, and stays.
struct StatedFactor {
    // The dry slope's exact FS, tan(phi)/tan(angle), in place of the chart's.
    bool exact = false;
    // The ends stated, as printed: the exact FS at both; the ends of the chart's row; no
    // lower end "below" the chart's smallest FS, no upper end "above" its largest; neither
    // with no answer.
    std::optional<PrintedFactor> lower;
    std::optional<PrintedFactor> upper;
};
StatedFactor stated_factor(const CheckAnswer& answer);

// The chart's statement of an answer: "FS 1.33 to 1.35" (or "FS 0.80" for a row that holds
// one printed FS), "FS below 0.72", "FS above 2.96". For no answer, an empty range.
Diagnostic check_statement(const CheckAnswer& answer);

// The largest FS the answer reaches, as printed: the largest of its row (1.47 for "FS
// 1.44 to 1.47"), or for a slope below the chart the double just below its bound (for
// "FS below 0.72"); infinite above the chart, not a number with no answer.
double highest_fs_checked(const CheckAnswer& answer);

// The key of the row x reads, as the sweep holds x on the grid.
std::int32_t key_of(float x);

// The steepest whole degree b that the check confirms for a design run's row: every row
// of the chart from its last fitted row (x = 0.80) down to the run's x (key run_key)
// reads an angle of at least b at the row's y, so that the check of the slope at b
// answers a range that reaches the run's FS. Nothing where run_key lies outside the
// fitted rows, where an angle is not a number, or where b would not be above 0.
std::optional<float> confirmed_angle(const ChartGrid::AtY& design, std::int32_t run_key);

}  // namespace zelm
