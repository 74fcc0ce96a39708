// The check of slopes that stand over numpy arrays: the factor of safety the chart gives
// each element, its five values broadcast as slope_angle broadcasts them.
#pragma once

#include <pybind11/pybind11.h>

namespace zelm::python {

// A tuple (lower, upper, side, exact, chart_lower, chart_upper, warning): arrays of the
// broadcast shape (numpy scalars when every argument is a scalar). lower and upper,
// float64, are what the program's line states first, as it prints them: the ends of the
// chart's range of FS, or, where exact (bool) is true, the exact FS of a dry slope with no
// cohesion at both ends, where the chart's range states more. side, int8, is 0 on a row
// of the chart and where the FS is exact, -1 below the chart (lower NaN, upper the FS the
// slope is below), 1 above it (upper NaN, lower the FS it is above). chart_lower and
// chart_upper are the chart's own range, whatever is stated. Then the call's one warning
// or None. NaN at every end and side 0 where any of the five values is NaN (silently) and
// where the values describe no slope, the warning counting those and the slopes beyond
// the chart whose FS is NaN at one end, and naming the first of each in the check's words.
// ValueError, naming the argument and the element, for a value that is no number or that
// a float cannot hold, and for shapes that do not broadcast. The work runs with the GIL
// released, on every core, and stops for Ctrl-C.
pybind11::tuple factors_of_safety(pybind11::handle phi, pybind11::handle cohesion, pybind11::handle density,
                                  pybind11::handle height, pybind11::handle angle, pybind11::handle units);

}  // namespace zelm::python
