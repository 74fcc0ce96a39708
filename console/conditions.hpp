// What the slopes answered by Bishop's method stand under besides their weight, from the
// command line: --ru or --water, --crack with --wet-crack, --kh, each value read as the
// console reads one and held to its rule (entries/rules.hpp, bishop_rules).
#pragma once

#include "console/command_line.hpp"
#include "messages/usage.hpp"
#include "slices/bishop.hpp"
#include "sweep/check.hpp"

#include <optional>
#include <variant>

namespace zelm {

struct GivenConditions {
    // The water table's distance in metres where it was given so; the rest as given.
    SlopeConditions conditions{};
    // --water NH: the water table N heights behind the toe, each slope's own height.
    std::optional<double> water_in_heights{};
    bool critical_kh = false;  // the critical seismic coefficient asked for too
};

// The first of the options that only Bishop's method answers, where one is given.
std::optional<Option> condition_given(const CommandLine& line);

// The conditions the command line gives, in the run's units (the unit weight of water 1
// Tn/m3 or 9.81 kN/m3); or the usage error of the first that is wrong.
std::variant<GivenConditions, UsageError> conditions_of(const CommandLine& line, Units units);

// The conditions of a slope `height` high.
SlopeConditions conditions_at(const GivenConditions& given, double height);

// The slope typed, as Bishop's method takes it, under the conditions given.
HomogeneousSlope homogeneous(const SlopeToCheck& slope, const GivenConditions& given);

// The option that gives the value of `field`, a condition's.
Option option_of(Field field);

}  // namespace zelm
