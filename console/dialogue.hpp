// The console dialogue: the banner and the six prompts, in the units the values are
// asked in.
#pragma once

#include "entries/field.hpp"
#include "sweep/chart_inputs.hpp"

#include <array>
#include <iosfwd>
#include <optional>
#include <string>

namespace zelm {

// The six values in the order they are asked for, and given on the command line.
inline constexpr std::array<float ChartInputs::*, 6> entered_values{
    &ChartInputs::friction_angle, &ChartInputs::cohesion,   &ChartInputs::density,
    &ChartInputs::height,         &ChartInputs::definition, &ChartInputs::security_factor};

// The same six, as the entries they are.
inline constexpr std::array<Field, 6> entered_fields{Field::friction_angle, Field::cohesion,
                                                     Field::density,        Field::talus_height,
                                                     Field::step,           Field::security_factor};

void print_banner(std::ostream& out);

// The six values as read, and what was typed after the sixth, which no prompt took
// (blanks around it dropped; empty when there was nothing).
struct TypedValues {
    ChartInputs values;
    std::string left_over;
};

// What is read after the sixth value: the rest of its line, where a person types and the
// next line is not yet there; or the rest of the input, from a file or a pipe, whose
// lines after the sixth value were all meant for it.
enum class LeftOver { rest_of_line, rest_of_input };

// Asks for the six values in order, each prompt flushed before its entry is read.
// Entries are whitespace-separated tokens, several to a line if need be. A token that is
// not a value is answered with one line that quotes it, says why, and names the values
// taken before it on its line; the rest of its line is dropped with it (any values typed
// after it were meant for the prompts it shifted): the same prompt is asked again and
// read from the next line. Nothing when the input ends before the sixth value.
std::optional<TypedValues> read_inputs(std::istream& in, std::ostream& out, Units units = Units::tonnes,
                                       LeftOver left_over = LeftOver::rest_of_line);

// The warning for text typed after the sixth value: "the text 'oops' after the sixth
// value was ignored."; a long text quoted by its first 60 bytes or so, and "...".
std::string left_over_warning(const std::string& left_over);

}  // namespace zelm
