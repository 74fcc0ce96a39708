// The chart's slope angle, and the confirmed angle, over numpy arrays: the five values
// broadcast against each other as numpy broadcasts the arguments of its own functions,
// and every element read as the sweep's row at that height reads it.
#pragma once

#include <pybind11/pybind11.h>

namespace zelm::python {

// A tuple (angles, warning): a float32 array of the broadcast shape (a numpy float32
// scalar when every argument is a scalar), and the call's one warning or None. Each
// angle is the sweep's row's at that height; NaN where any of its five values is NaN
// (silently), where the values describe no slope the chart can be read for, and where the
// row's angle cell would be empty, the warning counting those two kinds and naming the
// first of each; it counts too, in the run's words, the elements answered for an FS below
// 1, whose angles are those of slopes expected to fail. The work runs with the GIL
// released, shared between the machine's cores, and stops for Ctrl-C. ValueError, naming
// the argument (and the element), for a value that is no number or that a float cannot
// hold, and for shapes that do not broadcast. `units`, "tonnes", "si" or None, are those
// of the cohesion and the density: a density no soil or rock has in them (in either,
// for None) is counted in the warning too.
pybind11::tuple slope_angles(pybind11::handle phi, pybind11::handle cohesion, pybind11::handle density,
                             pybind11::handle height, pybind11::handle fs, pybind11::handle units);

// The same for the confirmed angle of the row at each height: the steepest whole degree
// whose check reaches the FS; NaN, and counted, where x lies beyond the rows that give an
// angle for every y.
pybind11::tuple confirmed_angles(pybind11::handle phi, pybind11::handle cohesion, pybind11::handle density,
                                 pybind11::handle height, pybind11::handle fs, pybind11::handle units);

}  // namespace zelm::python
