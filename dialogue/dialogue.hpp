// The console dialogue: the banner and the six prompts.
#pragma once

#include "sweep/chart_inputs.hpp"

#include <iosfwd>
#include <optional>
#include <string_view>

namespace zelm {

// The line shown when an entry is not a number written with a decimal point.
inline constexpr std::string_view bad_entry_message =
    "The entry must be a number written with a decimal point, such as 2.5.\n";

void print_banner(std::ostream& out);

// The value of one typed entry: the whole token must be a finite decimal number with
// a point as separator (sign, digits, point, fraction and exponent optional, as a C
// "%f" conversion reads them) that fits a float. "2,5", "inf", "0x10", "1e39" are not.
std::optional<float> parse_entry(std::string_view token);

// Asks for the six values in order, each prompt flushed before its entry is read.
// An entry that is not a number is answered with bad_entry_message and the same
// prompt. Nothing when the input ends before the sixth value.
std::optional<ChartInputs> read_inputs(std::istream& in, std::ostream& out);

}  // namespace zelm
