// The values a Python call hands over, read as the console reads an entry: each becomes
// the program's single-precision float, and a value that is no number, or that a float
// cannot hold, is refused with a ValueError that names the argument in the program's
// own words.
#pragma once

#include "entries/diagnostic.hpp"
#include "numbers/reading.hpp"
#include "sweep/chart_inputs.hpp"

#include <pybind11/pybind11.h>

#include <optional>
#include <string>
#include <string_view>

namespace zelm::python {

// ValueError, in the words of what is said.
[[noreturn]] void refuse(const Diagnostic& said);

// A value refused, named by its argument ("phi", "height[1, 0]") and shown as `shown`
// (its repr), for `reason`, the rest of a sentence about it: ValueError "height[1, 0]:
// inf is too large: ...".
[[noreturn]] void refuse(const std::string& argument, const std::string& shown, std::string_view reason);

// Why a call over arrays refuses its values where one of them no float holds, without
// naming it.
std::string value_beyond_a_float();

// One value: a str is read exactly as the console reads what is typed ("2.5", "1e3");
// a number (int, float, a numpy scalar) is rounded to the nearest float. Throws
// ValueError "NAME: VALUE is too large: ..." and the like.
float read_value(pybind11::handle value, const std::string& name);

// Why a double is no float, as the console refuses the same number typed (too large,
// too close to 0); nothing for one that a float holds, NaN included.
std::optional<Refusal> refusal_of(double value);

// The units a str names, "tonnes" or "si" in any case; anything else is refused with
// ValueError. units_if_given takes None too, for a call that was not told its units.
Units units_of(pybind11::handle units);
std::optional<Units> units_if_given(pybind11::handle units);

// The angles a str names, "chart" or "confirmed" in any case; ValueError otherwise.
Angles angles_of(pybind11::handle angles);

}  // namespace zelm::python
