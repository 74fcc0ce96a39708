// The console dialogue's words: the banner and the six prompts.
#pragma once

#include "sweep/chart_inputs.hpp"

#include <cstddef>
#include <string>
#include <string_view>

namespace zelm {

std::string_view banner();

// The prompt for a value (0 the friction angle to 5 the security factor), the calculator's
// own, spacing included; the cohesion's and the density's in the units asked for.
std::string prompt(std::size_t value, Units units);

}  // namespace zelm
