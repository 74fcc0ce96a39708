// What an engineer should know about a run whose files were written all the same, as
// values: which value or rows, and the numbers that say so. Values outside their
// physical meaning, a run without rows or at negative heights, heights for which the
// chart has no angle, angles printed whose check falls short, a last row that is not the
// talus height. The files and the exit status do not change. A finding whose words name
// the chart carries it. The sentences are made in one place for every host
// (messages/warnings.hpp).
#pragma once

#include "chart/design_chart.hpp"
#include "sweep/chart_inputs.hpp"
#include "sweep/check.hpp"
#include "sweep/sweep.hpp"
#include "sweep/unit_weight.hpp"

#include <array>
#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace zelm {

// A value entered outside its physical meaning.
struct ValueWithoutMeaning {
    enum class Which : std::uint8_t {
        friction_angle,   // not strictly between 0 and 90 degrees
        cohesion,         // below 0
        density,          // not above 0
        height,           // not above 0 (one reading's height)
        security_factor,  // not above 0
    };
    Which which;
    float value;
    Units units = Units::tonnes;  // the run's: the density's name and unit follow them
};

// A design FS below 1: the angles are those of slopes expected to fail.
struct FactorOfSafetyBelowOne {
    float security_factor;
};

// No row was written, and why.
struct NoRows {
    enum class Why : std::uint8_t {
        zero_step,
        zero_height,
        opposite_signs,
        height_below_step,
        too_many_rows
    };
    Why why;
    float height;  // of the talus
    float step;
};

// The rows lie at negative heights: a negative talus height with a negative step.
struct HeightsBelowZero {
    float height;
    float step;
};

// Angle cells left empty, and why.
struct EmptyAngles {
    enum class Why : std::uint8_t {
        friction_angle,   // outside 0 to 90 degrees, where x means nothing
        security_factor,  // not above 0, where x means nothing either
        y_not_a_number,   // 0/0: a cohesion and a density of 0
        vertical_only,    // x reads a row that holds only the vertical slope
        off_the_chart,    // x reads no row of the chart
        not_confirmed,    // the file holds confirmed angles, and no whole degree above 0 is
    };
    Why why;
    const DesignChart* chart;
    float friction_angle;
    float security_factor;
    float x;                   // on the chart's grid
    double threshold = 0.0;    // vertical_only: y at or beyond which the row stands at 90
    Heights vertical{};        // vertical_only: the rows at 90
    Heights empty{};           // the rows left empty
    std::optional<float> y{};  // one reading's y, where the finding is of one reading
    // Beyond the fitted rows: the FS for which x reads them, for this friction angle,
    // rounded inwards so that each reads them; nothing where no FS does.
    std::optional<std::array<PrintedFactor, 2>> fitted{};
    // The file holds the confirmed angles, which a row holding only the vertical slope
    // does not confirm: its cells are empty too.
    bool confirmed = false;
};

// With no cohesion, the printed angle is steeper than the exact atan(tan(phi)/FS).
struct SteeperThanExact {
    double exact;  // in degrees, to a tenth
    float angle;   // the last row's angle, as the chart gives it
    const DesignChart* chart;
};

// The result file's angle column holds the confirmed angles, not the chart's rounded.
struct ConfirmedAnglesWritten {
    float security_factor;
    const DesignChart* chart;
};

// Printed angles whose check answers more than crossing_margin below the run's FS.
struct PrintedChecksShort {
    float security_factor;
    Crossings crossings;
    const DesignChart* chart;
};

// The last row is not the talus height, printed alike; or the heights stop growing
// before the last row, which then repeats a height reached earlier, whatever it prints.
struct ShortOfTalus {
    enum class Why : std::uint8_t {
        step_no_longer_adds,   // height + step rounds back to the height in float
        step_does_not_divide,  // as typed, the step does not divide the height
        step_not_exact,        // it does in decimal, but its float sums drift
    };
    Why why;
    float last_height;
    float talus;
    float step;
    // Where the step no longer adds: the row that first reaches the last height, and the
    // rows after it, which repeat that height.
    std::int32_t reached = 0;
    std::int32_t repeated = 0;
};

// The values the result file's header shows, in its order, each with one decimal as the
// file's format has it: the density, the friction angle, the cohesion and FS.
inline constexpr std::array<float ChartInputs::*, 4> header_values{
    &ChartInputs::density, &ChartInputs::friction_angle, &ChartInputs::cohesion,
    &ChartInputs::security_factor};

// Values typed with more than the header's one decimal, which it shows rounded (FS 1.25 as
// 1.2); the workbook holds them as typed.
struct HeaderRounds {
    ChartInputs entered;
    std::array<bool, header_values.size()> rounded;  // in the order of header_values
};

using Finding = std::variant<ValueWithoutMeaning, UnitWeightOutOfRange, FactorOfSafetyBelowOne, NoRows,
                             HeightsBelowZero, ConfirmedAnglesWritten, EmptyAngles, SteeperThanExact,
                             PrintedChecksShort, ShortOfTalus, HeaderRounds>;

// What the values entered and their sweep gave, in this order: the values one by one,
// the rows, the chart, the last height.
std::vector<Finding> run_findings(const ChartInputs& entered, const SweepSummary& run);

// Where the run's heights stop growing before its last row, known before the first row
// is written; nothing where every row adds the step.
std::optional<ShortOfTalus> heights_stop_growing(const ChartInputs& entered);

// One reading of the chart, as a study asks for it element by element: the row at
// `height` of the values' sweep (the step is not read).

// The first value of a reading that describes no slope (see describes_a_slope), in the
// order friction angle, cohesion, density, height, factor of safety; nothing where every
// value describes a slope.
std::optional<ValueWithoutMeaning> describes_no_slope(const ChartInputs& reading);

// Why a reading whose x lies beyond the rows that give an angle for every y has no
// angle, with its y.
EmptyAngles no_angle_at(const ChartInputs& reading);

}  // namespace zelm
