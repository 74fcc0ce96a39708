#include "python/arguments.hpp"

#include "messages/entries.hpp"
#include "messages/python.hpp"
#include "messages/units.hpp"

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

Units units_of(py::handle units) {
    const std::optional<Units> named =
        py::isinstance<py::str>(units) ? units_named(units.cast<std::string>()) : std::nullopt;
    if (!named) {
        throw py::value_error(units_unknown(std::string(py::repr(units))));
    }
    return *named;
}

std::optional<Units> units_if_given(py::handle units) {
    return units.is_none() ? std::nullopt : std::optional(units_of(units));
}

Angles angles_of(py::handle angles) {
    const std::optional<Angles> named =
        py::isinstance<py::str>(angles) ? angles_named(angles.cast<std::string>()) : std::nullopt;
    if (!named) {
        throw py::value_error(angles_unknown(std::string(py::repr(angles))));
    }
    return *named;
}

}  // namespace zelm::python
