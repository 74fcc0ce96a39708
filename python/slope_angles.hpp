// Chart 1's slope angle over numpy arrays: the five values broadcast against each other
// as numpy broadcasts the arguments of its own functions, and every element read as the
// sweep's row at that height reads it.
#pragma once

#include <pybind11/pybind11.h>

namespace zelm::python {

// A float32 array of the broadcast shape (a numpy float32 scalar when every argument is a
// scalar): the angle of each element, NaN where the row's angle cell would be empty or
// where any of its five values is NaN. The work runs with the GIL released, shared
// between the machine's cores, and stops for Ctrl-C. ValueError, naming the argument
// (and the element), for a value that is no number or that a float cannot hold, and for
// shapes that do not broadcast.
pybind11::object slope_angles(pybind11::handle phi, pybind11::handle cohesion, pybind11::handle density,
                              pybind11::handle height, pybind11::handle fs);

}  // namespace zelm::python
