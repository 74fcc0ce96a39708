// The console dialogue: the banner and the six prompts.
#pragma once

#include "sweep/chart_inputs.hpp"

#include <iosfwd>
#include <optional>

namespace zelm {

void print_banner(std::ostream& out);

// Asks for the six values in order, each prompt flushed before its entry is read.
// Entries are whitespace-separated tokens, several to a line if need be. A token that is
// not a value is answered with one line saying why, and the rest of its line is dropped
// with it (any values typed after it were meant for the prompts it shifted): the same
// prompt is asked again and read from the next line. Nothing when the input ends before
// the sixth value.
std::optional<ChartInputs> read_inputs(std::istream& in, std::ostream& out);

}  // namespace zelm
