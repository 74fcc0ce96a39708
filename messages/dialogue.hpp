// The console dialogue's words: the banner, the six prompts, and the values' names when
// a refusal names those taken.
#pragma once

#include "sweep/chart_inputs.hpp"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace zelm {

inline constexpr std::string_view banner =
    "\n"
    "  ****************************************************************************\n"
    "  *                             ZELM&PIRT Calulator                          *\n"
    "  ****************************************************************************\n\n\n";

// The prompt for a value (0 the friction angle to 5 the security factor), the calculator's
// own, spacing included; the cohesion's and the density's in the units asked for.
std::string prompt(std::size_t value, Units units);

// The six values, as a refusal names those taken before it, in the order they are asked
// for: the dialogue's own names, in either units.
inline constexpr std::array<std::string_view, 6> asked_names{"the friction angle", "the cohesion",
                                                             "the density",        "the height of the talus",
                                                             "the definition",     "the security factor"};

}  // namespace zelm
