// What a person who typed a value is told: why an entry was refused, in the console's
// dialogue, on the command line, in the page's forms and in Python alike.
#pragma once

#include "numbers/reading.hpp"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zelm {

// Why an entry was refused, as the rest of a sentence about it: "is not a number written
// with a decimal point, such as 2.5". With point_or_comma, for a form that takes a comma
// as well, the example shows both.
std::string_view refusal_reason(Refusal refusal, DecimalSeparator separator = DecimalSeparator::point);

// A value the dialogue took from a line, as typed, and which of the six it became (0 the
// friction angle, 1 the cohesion, 2 the density, 3 the height of the talus, 4 the
// definition, 5 the security factor).
struct TakenValue {
    std::string typed;
    std::size_t value;
};

// The dialogue's line for a refused entry: the entry quoted and why, the values taken
// before it on its line, and whether the rest of its line was dropped with it.
std::string entry_refused(const std::string& token, Refusal refusal, const std::vector<TakenValue>& taken,
                          bool rest_ignored);

// The warning for text typed after the sixth value: "the text 'oops' after the sixth
// value was ignored."; a long text quoted by its first 60 bytes or so, and "...".
std::string left_over_warning(const std::string& left_over);

}  // namespace zelm
