// What the slopes answered by Bishop's method stand under, from a call's keyword
// arguments ru or water, crack with wet_crack, and kh: each read and held to its rule as
// the command line's options of the same names are, and refused with a ValueError that
// names the keyword.
#pragma once

#include "messages/conditions.hpp"

#include <pybind11/pybind11.h>

#include <optional>

namespace zelm::python {

// The keywords as given (None where not): ru and kh numbers, water a number of metres,
// a str such as "4H" or "surface", crack a number of metres or "auto".
struct ConditionKeywords {
    pybind11::handle ru;
    pybind11::handle water;
    pybind11::handle crack;
    bool wet_crack;
    pybind11::handle kh;
};

// The conditions, the unit weight of water that of the units (tonnes where none are given).
GivenConditions conditions_of(const ConditionKeywords& given, std::optional<Units> units);

}  // namespace zelm::python
