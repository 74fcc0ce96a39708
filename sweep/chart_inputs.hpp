// The six values of one run, as typed at the console, the units they were typed in, and
// the chart they are read on.
#pragma once

#include "chart/design_chart.hpp"
#include "entries/field.hpp"
#include "sweep/conditions.hpp"

#include <cstdint>
#include <limits>
#include <optional>

namespace zelm {

// How uncertain the run's material is, for the workbook's columns of the probability of
// failure: the standard deviations of the friction angle (degrees) and of the cohesion
// (the run's units of stress), 0 where it is known; the draws, and the seed they are
// drawn from.
struct MaterialUncertainty {
    float friction_angle_sd = 0.0F;
    float cohesion_sd = 0.0F;
    std::int32_t draws = 1000;
    std::uint64_t seed = 1;
};

// The most draws a run takes: they are drawn once and kept, 32 bytes each, and every row
// searches each of them (about 40 s a row at this many).
inline constexpr std::int32_t most_draws = 1'000'000;

struct ChartInputs {
    float friction_angle;   // phi, degrees (the sweep alone works in radians)
    float cohesion;         // C', in the run's units of stress
    float density;          // d, in the run's units of unit weight
    float height;           // Hmax, the height of the talus, m
    float definition;       // the height step, m
    float security_factor;  // FS, the factor of safety to reach
    Units units = Units::tonnes;
    Angles angles = Angles::chart;  // which the result file's angle column holds
    // The chart the sweep reads, the findings name and the files label: never null.
    const DesignChart* chart = &design_chart();
    // What the slope stands under besides its weight, for Bishop's method beside the chart
    // (the workbook's Bishop columns): chart 1 is the chart of a drained slope that stands
    // still, and its angles reckon with none of it.
    GivenConditions conditions{};
    // The material's uncertainty, where the workbook is asked for the probability of
    // failure of each row's slope.
    std::optional<MaterialUncertainty> uncertainty{};
};

// The value entered for `field`, in double (exact for a float), for the rules that read
// it (entries/rules.hpp); a reading's height is the talus height's place. NaN for a field
// a run has not.
constexpr double value_of(const ChartInputs& entered, Field field) {
    switch (field) {
        case Field::friction_angle:
            return entered.friction_angle;
        case Field::cohesion:
            return entered.cohesion;
        case Field::density:
            return entered.density;
        case Field::talus_height:
        case Field::height:
            return entered.height;
        case Field::step:
            return entered.definition;
        case Field::security_factor:
            return entered.security_factor;
        default:
            break;
    }
    return std::numeric_limits<double>::quiet_NaN();
}

}  // namespace zelm
