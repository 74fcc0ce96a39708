#include "python/bishop_factors.hpp"

#include "entries/rules.hpp"
#include "messages/python.hpp"
#include "messages/render.hpp"
#include "probability/draw_search.hpp"
#include "python/arguments.hpp"
#include "python/broadcast.hpp"
#include "python/conditions.hpp"
#include "python/interruption.hpp"
#include "slices/bishop.hpp"
#include "sweep/bishop_answer.hpp"
#include "sweep/bishop_columns.hpp"
#include "sweep/check_answer.hpp"
#include "sweep/findings.hpp"

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

// The slope of an element of bishop_angle: phi, C', d, H, its face angle any the method
// takes, for the values to be checked; and the factor of safety it is to reach.
HomogeneousSlope slope_at_height(const Values& v, const GivenConditions& given) {
    return slope_of({v[0], v[1], v[2], v[3], 45.0F}, given);
}

// The rule the factor of safety to reach keeps: above 0, as a run's.
constexpr Rule fs_rule = chart_reading_rules.back();

// One element's steepest degree written at `flat`; counted where there is none, but
// silently where a value is NaN.
void steepest_element(const Values& v, std::size_t flat, double* out, Unanswered& unanswered,
                      std::optional<Units> units, const GivenConditions& given) {
    out[flat] = nan;
    if (has_nan(v)) {
        return;
    }
    const HomogeneousSlope slope = slope_at_height(v, given);
    if (values_checked(slope).reason != BishopReason::none || broken_by(fs_rule, v[4])) {
        unanswered.note(Unanswered::no_slope, flat);
        return;
    }
    if (weighs_what_no_soil_does(v, units)) {
        unanswered.note(Unanswered::unit_weight, flat);
    }
    if (security_factor_below_one(v[4])) {
        unanswered.note(Unanswered::fs_below_one, flat);
    }
    const int steepest = steepest_reaching(slope, static_cast<double>(v[4]));
    if (steepest > 0) {
        out[flat] = steepest;
    } else {
        unanswered.note(Unanswered::off_chart, flat);
    }
}

// A draw's factor of safety written at `flat`, from the nominal slope's valleys; counted
// where there is none, but silently where a value is NaN.
void draw_element(const Values& v, std::size_t flat, double* out, Unanswered& unanswered,
                  std::optional<Units> units, const GivenConditions& given, const WarmStart& nominal) {
    out[flat] = nan;
    if (has_nan(v)) {
        return;
    }
    const BishopResult result = draw_circle(slope_of(v, given), nominal);
    if (result.reason != BishopReason::none) {
        unanswered.note(values_refused(result.reason) ? Unanswered::no_slope : Unanswered::off_chart, flat);
    } else {
        out[flat] = result.factor_of_safety;
    }
    if (!values_refused(result.reason) && weighs_what_no_soil_does(v, units)) {
        unanswered.note(Unanswered::unit_weight, flat);
    }
}

// Why an element has no answer by Bishop's method: its values searched again.
auto bishop_refusal_of(std::optional<Units> units, const GivenConditions& given) {
    return [units, &given](const Values& v) {
        const SlopeToCheck slope{
            v[0], v[1], v[2], v[3], v[4], &design_chart(), units.value_or(Units::tonnes)};
        const BishopResult result = critical_circle(slope_of(v, given));
        return std::pair{refused_position(result).value_or(operand_count),
                         render(as_sentence(bishop_refusal(slope, result)))};
    };
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
    answer_elements(
        b,
        [&] {
            return [&data, &unanswered, units, &given](const Values& v, std::size_t flat) {
                answer_element(v, flat, data, unanswered, units, given);
                return true;
            };
        },
        bishop_chunk);
    // The first of each kind searched again, for why.
    const auto why = bishop_refusal_of(units, given);
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

py::tuple bishop_angles(py::handle phi, py::handle cohesion, py::handle density, py::handle height,
                        py::handle fs, py::handle units_given, const ConditionKeywords& keywords) {
    const std::optional<Units> units = units_if_given(units_given);
    const GivenConditions given = conditions_of(keywords, units);
    const Broadcast b =
        broadcast({phi, cohesion, density, height, fs}, {"phi", "cohesion", "density", "height", "fs"});
    py::array_t<double> angles(b.shape.cast<std::vector<py::ssize_t>>());
    Unanswered unanswered(b.walk.size, bishop_chunk);
    double* out = angles.mutable_data();
    answer_elements(
        b,
        [&] {
            return [out, &unanswered, units, &given](const Values& v, std::size_t flat) {
                steepest_element(v, flat, out, unanswered, units, given);
                return true;
            };
        },
        bishop_chunk);
    const UnansweredKind no_slope{
        NoAnswer::no_bishop_slope, [units, &given](const Values& v) {
            const BishopResult result = values_checked(slope_at_height(v, given));
            if (result.reason == BishopReason::none) {
                const Violation fs_at_fault{fs_rule, v[4], *broken_by(fs_rule, v[4]), std::size_t{4}};
                return std::pair{std::size_t{4}, render(violation_said(fs_at_fault))};
            }
            const SlopeToCheck slope{
                v[0], v[1], v[2], v[3], 45.0F, &design_chart(), units.value_or(Units::tonnes)};
            return std::pair{refused_position(result).value_or(operand_count),
                             render(as_sentence(bishop_refusal(slope, result)))};
        }};
    const UnansweredKind none_reaches{
        NoAnswer::no_bishop_angle, [](const Values& v) {
            const Diagnostic said{Said::python_none_reaches, Field::none, {{"fs", Typed{v[4]}}}};
            return std::pair{operand_count, render(said)};
        }};
    const UnansweredKind security_factor{NoAnswer::fs_below_one, [](const Values& v) {
                                             return std::pair{std::size_t{4}, render(fs_below_one(v[4]))};
                                         }};
    const UnansweredKind unit_weight = unit_weight_kind(units);
    return py::make_tuple(returned(angles), unanswered_warning(b, unanswered, no_slope, none_reaches,
                                                               &security_factor, &unit_weight));
}

py::tuple bishop_draws(py::handle phi, py::handle cohesion, py::handle density, py::handle height,
                       py::handle angle, py::handle nominal, py::handle units_given,
                       const ConditionKeywords& keywords) {
    const std::optional<Units> units = units_if_given(units_given);
    const GivenConditions given = conditions_of(keywords, units);
    const Broadcast b =
        broadcast({phi, cohesion, density, height, angle}, {"phi", "cohesion", "density", "height", "angle"});
    const auto typed = nominal.cast<std::array<double, 3>>();
    const auto at_height = height.cast<double>();
    const WarmStart start = nominal_start(
        {at_height, angle.cast<double>(), typed[0], typed[1], typed[2], conditions_at(given, at_height)});
    py::array_t<double> fs(b.shape.cast<std::vector<py::ssize_t>>());
    Unanswered unanswered(b.walk.size, bishop_chunk);
    double* out = fs.mutable_data();
    answer_elements(
        b,
        [&] {
            return [out, &unanswered, units, &given, &start](const Values& v, std::size_t flat) {
                draw_element(v, flat, out, unanswered, units, given, start);
                return true;
            };
        },
        bishop_chunk);
    const auto why = bishop_refusal_of(units, given);
    const UnansweredKind no_slope{NoAnswer::no_bishop_slope, why};
    const UnansweredKind fails{NoAnswer::bishop_fails, why};
    const UnansweredKind unit_weight = unit_weight_kind(units);
    return py::make_tuple(returned(fs),
                          unanswered_warning(b, unanswered, no_slope, fails, nullptr, &unit_weight));
}

}  // namespace zelm::python
