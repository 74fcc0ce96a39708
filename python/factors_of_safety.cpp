#include "python/factors_of_safety.hpp"

#include "messages/python.hpp"
#include "messages/render.hpp"
#include "python/arguments.hpp"
#include "python/broadcast.hpp"
#include "python/interruption.hpp"
#include "sweep/check.hpp"
#include "sweep/check_answer.hpp"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace zelm::python {

namespace py = pybind11;

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// The slope, worded in the units the call was told (the density's name in tonnes where
// it was not).
SlopeToCheck slope_of(const Values& v, std::optional<Units> units) {
    return {v[0], v[1], v[2], v[3], v[4], &design_chart(), units.value_or(Units::tonnes)};
}

// The six arrays the call returns, and where each element is written in them.
struct Answers {
    py::array_t<double> lower;
    py::array_t<double> upper;
    py::array_t<std::int8_t> side;
    py::array_t<bool> exact;
    py::array_t<double> chart_lower;
    py::array_t<double> chart_upper;

    explicit Answers(const std::vector<py::ssize_t>& shape)
        : lower(shape), upper(shape), side(shape), exact(shape), chart_lower(shape), chart_upper(shape) {}
};

struct Cells {
    double* lower;
    double* upper;
    std::int8_t* side;
    bool* exact;
    double* chart_lower;
    double* chart_upper;

    explicit Cells(Answers& a)
        : lower(a.lower.mutable_data()),
          upper(a.upper.mutable_data()),
          side(a.side.mutable_data()),
          exact(a.exact.mutable_data()),
          chart_lower(a.chart_lower.mutable_data()),
          chart_upper(a.chart_upper.mutable_data()) {}
};

// The chart's own range of an answer at `flat`: "FS below" the row's smallest printed,
// "FS above" the row's largest; and the side it lies on.
void chart_range(const CheckAnswer& answer, std::size_t flat, const Cells& cells) {
    cells.chart_lower[flat] = nan;
    cells.chart_upper[flat] = nan;
    cells.side[flat] = 0;
    switch (answer.verdict) {
        case Verdict::on_row:
            cells.chart_lower[flat] = answer.lowest.value();
            cells.chart_upper[flat] = answer.highest.value();
            break;
        case Verdict::below_chart:
            cells.chart_upper[flat] = answer.lowest.value();
            cells.side[flat] = -1;
            break;
        case Verdict::above_chart:
            cells.chart_lower[flat] = answer.highest.value();
            cells.side[flat] = 1;
            break;
        case Verdict::no_answer:
            break;
    }
}

// One element's answer written at `flat`; counted where there is none, but silently
// where a value is NaN.
void answer_element(const Values& v, std::size_t flat, const Cells& cells, Unanswered& unanswered,
                    std::optional<Units> units) {
    CheckAnswer answer;
    if (!has_nan(v)) {
        answer = check_slope(slope_of(v, units));
        if (answer.verdict == Verdict::no_answer) {
            unanswered.note(Unanswered::no_slope, flat);
        } else if (weighs_what_no_soil_does(v, units)) {
            unanswered.note(Unanswered::unit_weight, flat);
        }
    }
    chart_range(answer, flat, cells);
    // What the program's line states first: the exact FS of a dry slope, a number and
    // not a bound, where the chart's states more.
    const StatedFactor stated = stated_factor(answer);
    cells.exact[flat] = stated.exact;
    cells.lower[flat] = stated.lower ? stated.lower->value() : nan;
    cells.upper[flat] = stated.upper ? stated.upper->value() : nan;
    if (stated.exact) {
        cells.side[flat] = 0;
    } else if (cells.side[flat] != 0) {
        unanswered.note(Unanswered::off_chart, flat);
    }
}

}  // namespace

py::tuple factors_of_safety(py::handle phi, py::handle cohesion, py::handle density, py::handle height,
                            py::handle angle, py::handle units_given) {
    const std::optional<Units> units = units_if_given(units_given);
    const Broadcast b =
        broadcast({phi, cohesion, density, height, angle}, {"phi", "cohesion", "density", "height", "angle"});
    Answers answers(b.shape.cast<std::vector<py::ssize_t>>());
    Unanswered unanswered(b.walk.size);
    const Cells cells(answers);
    answer_elements(b, [&] {
        return [&cells, &unanswered, units](const Values& v, std::size_t flat) {
            answer_element(v, flat, cells, unanswered, units);
            return true;
        };
    });
    // The check's own line, for the first of each kind, and the value it names.
    const auto line = [units](const Values& v) {
        const SlopeToCheck slope = slope_of(v, units);
        const CheckAnswer answer = check_slope(slope);
        return std::pair{refused_position(answer).value_or(operand_count), render(check_line(slope, answer))};
    };
    const UnansweredKind no_slope{NoAnswer::no_slope_at_both_ends, line};
    const UnansweredKind off_chart{NoAnswer::beyond_the_chart, line};
    const UnansweredKind unit_weight = unit_weight_kind(units);
    return py::make_tuple(returned(answers.lower), returned(answers.upper), returned(answers.side),
                          returned(answers.exact), returned(answers.chart_lower),
                          returned(answers.chart_upper),
                          unanswered_warning(b, unanswered, no_slope, off_chart, nullptr, &unit_weight));
}

}  // namespace zelm::python
