#include "python/arguments.hpp"

#include "messages/entries.hpp"
#include "messages/render.hpp"
#include "messages/units.hpp"

#include <cmath>
#include <string_view>

namespace zelm::python {

namespace py = pybind11;

namespace {

[[noreturn]] void refuse_value(py::handle value, const std::string& name, std::string_view why) {
    refuse(name, std::string(py::repr(value)), why);
}

// A name the call did not take, shown by its repr, as a diagnostic: units or angles.
Diagnostic unknown(Said id, py::handle named) {
    return {id, Field::none, {{"shown", Text{std::string(py::repr(named))}}}};
}

}  // namespace

void refuse(const Diagnostic& said) { throw py::value_error(render(said)); }

void refuse(const std::string& argument, const std::string& shown, std::string_view reason) {
    refuse({Said::python_argument_refused,
            Field::none,
            {{"argument", Text{argument}}, {"shown", Text{shown}}, {"reason", Text{std::string(reason)}}}});
}

std::string value_beyond_a_float() { return render({Said::python_value_beyond_a_float}); }

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
            refuse_value(value, name, refusal_reason(entry.refusal));
        }
        return *entry.value;
    }
    const double number = PyFloat_AsDouble(value.ptr());
    if (number == -1.0 && PyErr_Occurred() != nullptr) {  // no __float__, or one that failed
        PyErr_Clear();
        refuse_value(value, name, refusal_reason(Refusal::not_a_number));
    }
    if (std::isnan(number)) {
        refuse_value(value, name, refusal_reason(Refusal::not_a_number));
    }
    if (const auto refusal = refusal_of(number)) {
        refuse_value(value, name, refusal_reason(*refusal));
    }
    return static_cast<float>(number);
}

Units units_of(py::handle units) {
    const std::optional<Units> named =
        py::isinstance<py::str>(units) ? units_named(units.cast<std::string>()) : std::nullopt;
    if (!named) {
        Diagnostic said = unknown(Said::python_units_unknown, units);
        said.args.insert(said.args.end(), {{"tonnes", Text{std::string(tonne_labels.option)}},
                                           {"tonnes_stress", Text{std::string(tonne_labels.stress)}},
                                           {"tonnes_weight", WeightUnit{Units::tonnes}},
                                           {"si", Text{std::string(si_labels.option)}},
                                           {"si_stress", Text{std::string(si_labels.stress)}},
                                           {"si_weight", WeightUnit{Units::si}}});
        refuse(said);
    }
    return *named;
}

std::optional<Units> units_if_given(py::handle units) {
    return units.is_none() ? std::nullopt : std::optional(units_of(units));
}

Angles angles_of(py::handle angles) {
    const std::optional<Angles> named =
        py::isinstance<py::str>(angles) ? angles_named(angles.cast<std::string>()) : std::nullopt;
    if (!named || *named == Angles::bishop) {
        Diagnostic said = unknown(Said::python_angles_unknown, angles);
        said.args.push_back({"chart", Text{std::string(chart_angles_option)}});
        said.args.push_back({"confirmed", Text{std::string(confirmed_angles_option)}});
        refuse(said);
    }
    return *named;
}

}  // namespace zelm::python
