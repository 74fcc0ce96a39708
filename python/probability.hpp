// The draws of a study of the probability of failure and what their factors of safety say
// together, for the package's probability_of_failure: the core's, as the page's.
#pragma once

#include <pybind11/pybind11.h>

namespace zelm {
struct PythonDocs;
}

namespace zelm::python {

// draw_block(spreads, correlation, seed, block, count): the draws of block `block`, a
// tuple of three float64 arrays (phi, C', d) of `count` draws; `spreads` three tuples
// (kind, mean, sd), kind "known", "normal" or "lognormal".
// failure_statistics(fs): a dict of what the FS say together (FailureStatistics's fields).
// failure_upper_bound(fs), failure_share's upper bound; draws_needed(probability, relative)
// as the core's.
void define_probability(pybind11::module_& module, const PythonDocs& docs);

}  // namespace zelm::python
