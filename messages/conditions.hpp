// What the slopes answered by Bishop's method stand under besides their weight, read
// from the words a host was given for them (the command line's --ru, --water, --crack,
// --wet-crack and --kh; Python's keywords of the same names): each value read as the
// console reads one and held to its rule (entries/rules.hpp, bishop_rules), or the
// diagnostic of the first that is wrong, naming it as the host names it.
#pragma once

#include "entries/diagnostic.hpp"
#include "slices/bishop.hpp"
#include "sweep/check.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace zelm {

struct GivenConditions {
    // The water table's distance in metres where it was given so; the rest as given.
    SlopeConditions conditions{};
    // The water table N heights behind the toe (4H): each slope's own height.
    std::optional<double> water_in_heights{};
    bool critical_kh = false;  // the critical seismic coefficient asked for too
};

// The words given, none where a condition was not.
struct ConditionWords {
    std::optional<std::string> ru;
    std::optional<std::string> water;  // metres, NH or surface
    std::optional<std::string> crack;  // metres or auto
    bool wet_crack = false;
    std::optional<std::string> kh;
};

// How the host names each: "--ru", or "ru".
struct ConditionNames {
    std::string_view ru, water, crack, wet_crack, kh;
};

// The conditions, in the units of the run (the unit weight of water 1 Tn/m3 or 9.81
// kN/m3); or why the first wrong one is, a usage diagnostic whose slots name it.
std::variant<GivenConditions, Diagnostic> conditions_of(const ConditionWords& words, Units units,
                                                        const ConditionNames& names);

// The conditions of a slope `height` high.
SlopeConditions conditions_at(const GivenConditions& given, double height);

// The slope typed, as Bishop's method takes it, under the conditions given.
HomogeneousSlope homogeneous(const SlopeToCheck& slope, const GivenConditions& given);

}  // namespace zelm
