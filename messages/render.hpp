// Diagnostics into words: each id's template (messages/templates.hpp) with its slots
// filled. The one way every sentence the program says about its values, runs, checks and
// files is made, for every host.
#pragma once

#include "entries/diagnostic.hpp"

#include <string>
#include <string_view>

namespace zelm {

// The diagnostic in words.
std::string render(const Diagnostic& said);

// A template's text with the diagnostic's values in its slots. A slot is written in
// braces:
//   {name}             the value, shown as its kind shows it (Typed, Fixed, Count, ...)
//   {name.unit}        the unit a named entry's bounds are in: " degrees" for an angle
//   {name|one|many}    the first form where the count `name` is 1, the second otherwise
//   {name?yes|no}      the first form where the flag `name` is set, or the value is
//                      there at all, the second otherwise (either may be empty)
// and the forms are templates themselves. A slot whose value is missing is a fault of
// the program, not of what was entered: std::logic_error.
std::string render(std::string_view text, const Diagnostic& said);

// An entry's name, as the words give it: "the friction angle", "the unit weight" in kN/m3.
std::string field_name(Field field, Units units);

}  // namespace zelm
