#include "python/interruption.hpp"

#include <pybind11/pybind11.h>

namespace zelm::python {

namespace py = pybind11;

namespace {

// Often enough that Ctrl-C answers at once for a person, seldom enough that taking the
// GIL back costs nothing measurable.
constexpr std::chrono::milliseconds look_every{5};

}  // namespace

ShouldStop Interruption::check() {
    return [this] { return stop_now(); };
}

bool Interruption::stop_now() {
    if (interrupted_) {
        return true;
    }
    const auto now = std::chrono::steady_clock::now();
    if (now < next_look_) {
        return false;
    }
    next_look_ = now + look_every;
    const py::gil_scoped_acquire gil;
    interrupted_ = PyErr_CheckSignals() != 0;
    return interrupted_;
}

void Interruption::raise_if_interrupted() {
    if (interrupted_ || PyErr_CheckSignals() != 0) {
        throw py::error_already_set();
    }
}

}  // namespace zelm::python
