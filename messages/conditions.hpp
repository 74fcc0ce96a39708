// What the slopes answered by Bishop's method stand under besides their weight, read
// from the words a host was given for them (the command line's --ru, --water, --crack,
// --wet-crack and --kh; Python's keywords of the same names): each value read as the
// console reads one and held to its rule (entries/rules.hpp, bishop_rules), or the
// diagnostic of the first that is wrong, naming it as the host names it.
#pragma once

#include "entries/diagnostic.hpp"
#include "sweep/conditions.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace zelm {

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

}  // namespace zelm
