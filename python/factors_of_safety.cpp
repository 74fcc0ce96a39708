#include "python/factors_of_safety.hpp"

#include "messages/checks.hpp"
#include "messages/python.hpp"
#include "python/arguments.hpp"
#include "python/broadcast.hpp"
#include "python/interruption.hpp"
#include "sweep/check.hpp"

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

}  // namespace

py::tuple factors_of_safety(py::handle phi, py::handle cohesion, py::handle density, py::handle height,
                            py::handle angle, py::handle units_given) {
    const std::optional<Units> units = units_if_given(units_given);
    const Broadcast b =
        broadcast({phi, cohesion, density, height, angle}, {"phi", "cohesion", "density", "height", "angle"});
    const auto shape = b.shape.cast<std::vector<py::ssize_t>>();
    py::array_t<double> lower(shape);
    py::array_t<double> upper(shape);
    py::array_t<std::int8_t> side(shape);
    py::array_t<bool> exact(shape);
    py::array_t<double> chart_lower(shape);
    py::array_t<double> chart_upper(shape);
    Unanswered unanswered(b.walk.size);
    Interruption interruption;
    bool held = true;
    if (lower.size() > 0) {
        double* low = lower.mutable_data();
        double* high = upper.mutable_data();
        std::int8_t* sides = side.mutable_data();
        bool* exacts = exact.mutable_data();
        double* chart_low = chart_lower.mutable_data();
        double* chart_high = chart_upper.mutable_data();
        const py::gil_scoped_release released;
        held = for_each_element(b.walk, interruption, [&] {
            return [=, &unanswered](const Values& v, std::size_t flat) {
                CheckAnswer answer;
                if (!has_nan(v)) {
                    answer = check_slope(slope_of(v, units));
                }
                if (answer.verdict != Verdict::no_answer && weighs_what_no_soil_does(v, units)) {
                    unanswered.note(Unanswered::unit_weight, flat);
                }
                // The chart's own range: "FS below" the row's smallest printed, "FS above"
                // the row's largest.
                chart_low[flat] = nan;
                chart_high[flat] = nan;
                sides[flat] = 0;
                switch (answer.verdict) {
                    case Verdict::on_row:
                        chart_low[flat] = answer.lowest.value();
                        chart_high[flat] = answer.highest.value();
                        break;
                    case Verdict::below_chart:
                        chart_high[flat] = answer.lowest.value();
                        sides[flat] = -1;
                        break;
                    case Verdict::above_chart:
                        chart_low[flat] = answer.highest.value();
                        sides[flat] = 1;
                        break;
                    case Verdict::no_answer:  // silent with a NaN among the values
                        if (answer.why != Meaningless::none) {
                            unanswered.note(Unanswered::no_slope, flat);
                        }
                        break;
                }
                // What the program's line states first: the exact FS of a dry slope, a
                // number and not a bound, where the chart's states more.
                const StatedFactor stated = stated_factor(answer);
                exacts[flat] = stated.exact;
                low[flat] = stated.lower ? stated.lower->value() : nan;
                high[flat] = stated.upper ? stated.upper->value() : nan;
                if (stated.exact) {
                    sides[flat] = 0;
                } else if (sides[flat] != 0) {
                    unanswered.note(Unanswered::off_chart, flat);
                }
                return true;
            };
        });
    }
    interruption.raise_if_interrupted();
    if (!held) {
        refuse_what_no_float_holds(b);
        throw py::value_error(std::string(value_beyond_a_float()));
    }
    // The check's own line, for the first of each kind.
    const auto line = [units](const Values& v) {
        const CheckAnswer answer = check_slope(slope_of(v, units));
        const std::size_t argument =
            answer.verdict == Verdict::no_answer ? typed_position(answer.why) : operand_count;
        return std::pair{argument, check_line(slope_of(v, units), answer)};
    };
    const UnansweredKind no_slope{NoAnswer::no_slope_at_both_ends, line};
    const UnansweredKind off_chart{NoAnswer::beyond_the_chart, line};
    const UnansweredKind unit_weight = unit_weight_kind(units);
    return py::make_tuple(returned(lower), returned(upper), returned(side), returned(exact),
                          returned(chart_lower), returned(chart_upper),
                          unanswered_warning(b, unanswered, no_slope, off_chart, nullptr, &unit_weight));
}

}  // namespace zelm::python
