// Bishop's factor of safety of slopes that stand, over numpy arrays: the critical circle
// of each element, its five values broadcast as factor_of_safety broadcasts them.
#pragma once

#include "python/conditions.hpp"

#include <pybind11/pybind11.h>

namespace zelm::python {

// A tuple (fs, centre_x, centre_y, radius, entry_x, exit_x, warning): float64 arrays of
// the broadcast shape (numpy scalars when every argument is a scalar), Bishop's factor of
// safety on the critical circle and that circle, toe at (0, 0), x growing into the slope,
// in the height's units; and the call's one warning or None. NaN in all six where any of
// the five values is NaN (silently), where the values describe no slope for the method
// and where the method does not apply, the warning counting those two kinds and naming
// the first of each. ValueError as for factors_of_safety. The work runs with the GIL
// released, on every core, and stops for Ctrl-C.
// Under the conditions the keywords give. With `critical`, the first array holds the
// critical seismic coefficient in place of the factor of safety (the keywords' kh left
// aside), the circle is the critical one at FS 1, and the elements that fail without an
// earthquake are NaN, counted in the warning.
pybind11::tuple bishop_factors_of_safety(pybind11::handle phi, pybind11::handle cohesion,
                                         pybind11::handle density, pybind11::handle height,
                                         pybind11::handle angle, pybind11::handle units,
                                         const ConditionKeywords& keywords, bool critical);

// A tuple (angle, warning): a float64 array of the broadcast shape of the five values
// phi, C', d, H and the factor of safety, each element the steepest whole degree at which a
// slope of that height reaches the factor of safety by Bishop's method under the conditions
// the keywords give; and the call's one warning or None. NaN where a value is NaN
// (silently), where the values describe no slope for the method or the factor of safety is
// not above 0, and where not even 1 degree reaches it, the warning counting those and
// naming the first of each. Some ten critical-circle searches an element, with the GIL
// released, on every core, stopped by Ctrl-C.
pybind11::tuple bishop_angles(pybind11::handle phi, pybind11::handle cohesion, pybind11::handle density,
                              pybind11::handle height, pybind11::handle fs, pybind11::handle units,
                              const ConditionKeywords& keywords);

// A tuple (fs, warning): Bishop's factor of safety of each draw of one slope's material,
// phi, C' and d broadcast with the slope's height and angle as bishop_factor_of_safety
// broadcasts them, under the conditions the keywords give. Each draw's search starts from
// the valleys of the critical-circle search of the nominal slope (`nominal`: its phi, C'
// and d), which the draws lie near, and a draw that a search from there finds standing by
// less than 0.2% is searched cold: a draw's answer depends on it alone, however the draws
// are split. NaN and the warning as bishop_factor_of_safety's.
pybind11::tuple bishop_draws(pybind11::handle phi, pybind11::handle cohesion, pybind11::handle density,
                             pybind11::handle height, pybind11::handle angle, pybind11::handle nominal,
                             pybind11::handle units, const ConditionKeywords& keywords);

}  // namespace zelm::python
