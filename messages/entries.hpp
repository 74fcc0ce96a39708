// What a person who typed a value is told: why an entry was refused, in the console's
// dialogue, on the command line, in the page's forms and in Python alike.
#pragma once

#include "entries/diagnostic.hpp"
#include "numbers/reading.hpp"

#include <string>

namespace zelm {

// Why an entry was refused, as the rest of a sentence about it: "is not a number written
// with a decimal point, such as 2.5". With point_or_comma, for a form that takes a comma
// as well, the example shows both.
Diagnostic refusal_said(Refusal refusal, DecimalSeparator separator = DecimalSeparator::point);

// The same in words.
std::string refusal_reason(Refusal refusal, DecimalSeparator separator = DecimalSeparator::point);

// A line that quotes what was typed, made fit for a line of its own: each control
// character shown as '?'.
std::string printable(std::string line);

}  // namespace zelm
