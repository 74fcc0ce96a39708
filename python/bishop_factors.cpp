#include "python/bishop_factors.hpp"

#include "messages/python.hpp"
#include "messages/render.hpp"
#include "python/arguments.hpp"
#include "python/broadcast.hpp"
#include "python/conditions.hpp"
#include "python/interruption.hpp"
#include "slices/bishop.hpp"
#include "sweep/bishop_answer.hpp"
#include "sweep/check_answer.hpp"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace zelm::python {

namespace py = pybind11;

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// A critical-circle search takes about a third of a millisecond: a few of them make a
// chunk, so that both the cores and Ctrl-C have their turn within milliseconds.
constexpr std::size_t bishop_chunk = 8;

// The values in the order typed: phi, C', d, H, angle; under the conditions given.
HomogeneousSlope slope_of(const Values& v, const GivenConditions& given) {
    const auto height = static_cast<double>(v[3]);
    return {height,
            static_cast<double>(v[4]),
            static_cast<double>(v[0]),
            static_cast<double>(v[1]),
            static_cast<double>(v[2]),
            conditions_at(given, height)};
}

// The six arrays the call returns: the factor of safety and the circle.
constexpr std::size_t answers = 6;

std::array<double, answers> answer_of(const BishopResult& result) {
    if (result.reason != BishopReason::none) {
        return {nan, nan, nan, nan, nan, nan};
    }
    const SlipCircle& c = result.circle;
    return {result.factor_of_safety, c.centre_x, c.centre_y, c.radius, c.entry_x, c.exit_x};
}

// One element's answer written at `flat` in the six arrays; counted where there is none,
// but silently where a value is NaN.
// Bishop's answer for one element: the critical circle's factor of safety, or where the
// critical seismic coefficient is asked, that coefficient in its place and the circle at
// FS 1.
std::pair<BishopResult, double> answered(const Values& v, const GivenConditions& given) {
    if (!given.critical_kh) {
        BishopResult result = critical_circle(slope_of(v, given));
        return {result, result.factor_of_safety};
    }
    const CriticalKh critical = critical_kh(slope_of(v, given));
    return {critical.result, critical.coefficient};
}

// One element's answer written at `flat` in the six arrays; counted where there is none,
// but silently where a value is NaN.
void answer_element(const Values& v, std::size_t flat, const std::array<double*, answers>& data,
                    Unanswered& unanswered, std::optional<Units> units, const GivenConditions& given) {
    std::array<double, answers> answer{nan, nan, nan, nan, nan, nan};  // a NaN among the values
    if (!has_nan(v)) {
        const auto [result, value] = answered(v, given);
        if (result.reason != BishopReason::none) {
            // The values at fault, or the method failing on a slope: the call's second kind.
            unanswered.note(values_refused(result.reason) ? Unanswered::no_slope : Unanswered::off_chart,
                            flat);
        } else if (std::isnan(value)) {  // no critical coefficient: FS below 1 at kh = 0
            unanswered.note(Unanswered::fs_below_one, flat);
        }
        if (!values_refused(result.reason) && weighs_what_no_soil_does(v, units)) {
            unanswered.note(Unanswered::unit_weight, flat);
        }
        answer = answer_of(result);
        answer[0] = result.reason == BishopReason::none ? value : nan;
    }
    for (std::size_t k = 0; k < answers; ++k) {
        data[k][flat] = answer[k];
    }
}

}  // namespace

py::tuple bishop_factors_of_safety(py::handle phi, py::handle cohesion, py::handle density, py::handle height,
                                   py::handle angle, py::handle units_given,
                                   const ConditionKeywords& keywords, bool critical) {
    const std::optional<Units> units = units_if_given(units_given);
    GivenConditions given = conditions_of(keywords, units);
    given.critical_kh = critical;
    const Broadcast b =
        broadcast({phi, cohesion, density, height, angle}, {"phi", "cohesion", "density", "height", "angle"});
    const auto shape = b.shape.cast<std::vector<py::ssize_t>>();
    std::array<py::array_t<double>, answers> arrays;
    std::array<double*, answers> data{};
    for (std::size_t k = 0; k < answers; ++k) {
        arrays[k] = py::array_t<double>(shape);
        data[k] = arrays[k].mutable_data();
    }
    Unanswered unanswered(b.walk.size, bishop_chunk);
    Interruption interruption;
    bool held = true;
    if (arrays[0].size() > 0) {
        const py::gil_scoped_release released;
        held = for_each_element(
            b.walk, interruption,
            [&] {
                return [&data, &unanswered, units, &given](const Values& v, std::size_t flat) {
                    answer_element(v, flat, data, unanswered, units, given);
                    return true;
                };
            },
            bishop_chunk);
    }
    interruption.raise_if_interrupted();
    if (!held) {
        refuse_what_no_float_holds(b);
        throw py::value_error(std::string(value_beyond_a_float()));
    }
    // The first of each kind searched again, for why.
    const auto why = [units, &given](const Values& v) {
        const SlopeToCheck slope{
            v[0], v[1], v[2], v[3], v[4], &design_chart(), units.value_or(Units::tonnes)};
        const BishopResult result = critical_circle(slope_of(v, given));
        return std::pair{refused_position(result).value_or(operand_count),
                         render(as_sentence(bishop_refusal(slope, result)))};
    };
    const UnansweredKind no_slope{NoAnswer::no_bishop_slope, why};
    const UnansweredKind fails{NoAnswer::bishop_fails, why};
    const UnansweredKind unit_weight = unit_weight_kind(units);
    const UnansweredKind fails_as_it_is{
        Said::python_fails_without_earthquake, [&given](const Values& v) {
            GivenConditions still = given;
            still.conditions.seismic_coefficient = 0.0;
            const double fs = critical_circle(slope_of(v, still)).factor_of_safety;
            const Diagnostic said{
                Said::python_fs_without_earthquake, Field::none, {{"fs", Fixed{bishop_rounded(fs), 3}}}};
            return std::pair{operand_count, render(said)};
        }};
    return py::make_tuple(returned(arrays[0]), returned(arrays[1]), returned(arrays[2]), returned(arrays[3]),
                          returned(arrays[4]), returned(arrays[5]),
                          unanswered_warning(b, unanswered, no_slope, fails, &fails_as_it_is, &unit_weight));
}

}  // namespace zelm::python
