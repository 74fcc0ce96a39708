#include "python/conditions.hpp"

#include "python/arguments.hpp"

#include <string>
#include <utility>
#include <variant>

namespace zelm::python {

namespace py = pybind11;

namespace {

// A keyword's value as the command line would have its words: a str as it is, a number
// as Python writes it (0.25).
std::optional<std::string> words_of(py::handle value) {
    if (value.is_none()) {
        return std::nullopt;
    }
    return py::isinstance<py::str>(value) ? value.cast<std::string>() : std::string(py::str(value));
}

}  // namespace

GivenConditions conditions_of(const ConditionKeywords& given, std::optional<Units> units) {
    auto read =
        zelm::conditions_of(ConditionWords{words_of(given.ru), words_of(given.water), words_of(given.crack),
                                           given.wet_crack, words_of(given.kh)},
                            units.value_or(Units::tonnes), {"ru", "water", "crack", "wet_crack", "kh"});
    if (const auto* wrong = std::get_if<Diagnostic>(&read)) {
        refuse(*wrong);
    }
    return std::get<GivenConditions>(std::move(read));
}

}  // namespace zelm::python
