#include "python/arguments.hpp"

#include "messages/entries.hpp"

#include <cmath>
#include <string_view>

namespace zelm::python {

namespace py = pybind11;

namespace {

[[noreturn]] void refuse(py::handle value, const std::string& name, std::string_view why) {
    throw py::value_error(name + ": " + std::string(py::repr(value)) + " " + std::string(why));
}

}  // namespace

std::optional<Refusal> refusal_of(double value) {
    // Narrowed as IEEE 754 does it: beyond the largest float an infinity, below half the
    // smallest a zero, neither of which is the number given.
    const auto narrowed = static_cast<float>(value);
    if (std::isinf(narrowed)) {
        return Refusal::too_large;
    }
    if (narrowed == 0.0F && value != 0.0) {
        return Refusal::too_small;
    }
    return std::nullopt;
}

float read_value(py::handle value, const std::string& name) {
    if (py::isinstance<py::str>(value)) {
        const auto text = value.cast<std::string>();
        const Entry entry = read_entry(text);
        if (!entry.value) {
            refuse(value, name, refusal_reason(entry.refusal));
        }
        return *entry.value;
    }
    const double number = PyFloat_AsDouble(value.ptr());
    if (number == -1.0 && PyErr_Occurred() != nullptr) {  // no __float__, or one that failed
        PyErr_Clear();
        refuse(value, name, refusal_reason(Refusal::not_a_number));
    }
    if (std::isnan(number)) {
        refuse(value, name, refusal_reason(Refusal::not_a_number));
    }
    if (const auto refusal = refusal_of(number)) {
        refuse(value, name, refusal_reason(*refusal));
    }
    return static_cast<float>(number);
}

}  // namespace zelm::python
