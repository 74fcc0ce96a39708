// The check of slopes that stand over numpy arrays: the factor of safety the chart gives
// each element, its five values broadcast as slope_angle broadcasts them.
#pragma once

#include <pybind11/pybind11.h>

namespace zelm::python {

// A tuple (lower, upper, side, warning): arrays of the broadcast shape (numpy scalars when
// every argument is a scalar), the ends of the range of FS, float64, as the program prints
// them; side, int8, 0 on a row of the chart, -1 below it (lower NaN, upper the FS the slope
// is below), 1 above it (upper NaN, lower the FS it is above); and the call's one warning
// or None. NaN at both ends and side 0 where any of the five values is NaN (silently) and
// where the values describe no slope, the warning counting those and the slopes beyond
// the chart and naming the first of each in the check's words. ValueError, naming the
// argument and the element, for a value that is no number or that a float cannot hold,
// and for shapes that do not broadcast. The work runs with the GIL released, on every
// core, and stops for Ctrl-C.
pybind11::tuple factors_of_safety(pybind11::handle phi, pybind11::handle cohesion, pybind11::handle density,
                                  pybind11::handle height, pybind11::handle angle);

}  // namespace zelm::python
