// What the slopes answered by Bishop's method stand under besides their weight, as a
// host was given it: the conditions, and a water table given in heights of the slope,
// which each slope's own height turns into metres.
#pragma once

#include "slices/bishop.hpp"

#include <optional>

namespace zelm {

struct SlopeToCheck;

struct GivenConditions {
    // The water table's distance in metres where it was given so; the rest as given.
    SlopeConditions conditions{};
    // The water table N heights behind the toe (4H): each slope's own height.
    std::optional<double> water_in_heights{};
    bool critical_kh = false;  // the critical seismic coefficient asked for too
};

// The conditions of a slope `height` high.
SlopeConditions conditions_at(const GivenConditions& given, double height);

// The slope typed, as Bishop's method takes it, under the conditions given.
HomogeneousSlope homogeneous(const SlopeToCheck& slope, const GivenConditions& given);

}  // namespace zelm
