#include "python/slope_angles.hpp"

#include "messages/render.hpp"
#include "messages/warnings.hpp"
#include "python/arguments.hpp"
#include "python/broadcast.hpp"
#include "python/interruption.hpp"
#include "sweep/findings.hpp"
#include "sweep/slope_angle.hpp"
#include "sweep/sweep.hpp"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace zelm::python {

namespace py = pybind11;

namespace {

ChartInputs reading_of(const Values& v) { return {v[0], v[1], v[2], v[3], v[3], v[4]}; }

// One core's reader of the elements it takes: each one's reading (read(grid, column,
// cohesion, density, height), one of the inline readings of sweep/slope_angle.hpp)
// written at its place in `out`, and counted where the call's warning tells of it. A
// study most often reads many heights for one friction angle and one factor of safety:
// what those two alone give is kept while their bits stay the same.
template <typename Read>
struct ElementReader {
    const ChartGrid& grid;
    const Read& read;
    Unanswered& unanswered;
    std::optional<Units> units;
    float* out;
    ChartColumn column{};
    std::uint64_t column_of = 0;
    bool column_known = false;

    bool operator()(const Values& v, std::size_t flat) {
        constexpr float nan = std::numeric_limits<float>::quiet_NaN();
        if (!describes_a_slope(v[0], v[1], v[2], v[3], v[4])) {
            out[flat] = nan;
            if (!has_nan(v)) {
                unanswered.note(Unanswered::no_slope, flat);
            }
            return true;
        }
        const std::uint64_t friction_and_safety = std::uint64_t{bits_of(v[0])} << 32U | bits_of(v[4]);
        if (!column_known || friction_and_safety != column_of) {
            column = chart_column(v[0], v[4]);
            column_of = friction_and_safety;
            column_known = true;
        }
        if (security_factor_below_one(v[4])) {
            unanswered.note(Unanswered::fs_below_one, flat);
        }
        if (weighs_what_no_soil_does(v, units)) {
            unanswered.note(Unanswered::unit_weight, flat);
        }
        out[flat] = read(grid, column, v[1], v[2], v[3]);
        if (std::isnan(out[flat])) {
            unanswered.note(Unanswered::off_chart, flat);
        }
        return true;
    }
};

// The call's warning, for elements without an angle told as `no_angle`.
py::object readings_warning(const Broadcast& b, const Unanswered& unanswered, std::optional<Units> units,
                            Said no_angle) {
    const UnansweredKind no_slope{NoAnswer::no_slope, [](const Values& v) {
                                      const auto found = describes_no_slope(reading_of(v));
                                      return std::pair{found->position, render(violation_said(*found))};
                                  }};
    const UnansweredKind off_chart{no_angle, [](const Values& v) {
                                       return std::pair{operand_count, render(no_angle_at(reading_of(v)))};
                                   }};
    // Answered all the same, as a run's rows are: the run's own sentence.
    const UnansweredKind security_factor{NoAnswer::fs_below_one, [](const Values& v) {
                                             return std::pair{std::size_t{4}, render(fs_below_one(v[4]))};
                                         }};
    const UnansweredKind unit_weight = unit_weight_kind(units);
    return unanswered_warning(b, unanswered, no_slope, off_chart, &security_factor, &unit_weight);
}

// Each element read by `read` (see ElementReader), and the call's warning.
template <typename Read>
py::tuple readings(const std::array<py::handle, operand_count>& values, std::optional<Units> units, Read read,
                   Said no_angle) {
    const Broadcast b = broadcast(values, {"phi", "cohesion", "density", "height", "fs"});
    py::array_t<float> angles(b.shape.cast<std::vector<py::ssize_t>>());
    Unanswered unanswered(b.walk.size);
    float* out = angles.mutable_data();
    const ChartGrid& grid = design_chart().grid();
    answer_elements(b, [&] { return ElementReader<Read>{grid, read, unanswered, units, out}; });
    return py::make_tuple(returned(angles), readings_warning(b, unanswered, units, no_angle));
}

}  // namespace

py::tuple slope_angles(py::handle phi, py::handle cohesion, py::handle density, py::handle height,
                       py::handle fs, py::handle units) {
    return readings(
        {phi, cohesion, density, height, fs}, units_if_given(units),
        [](const ChartGrid& grid, const ChartColumn& column, float c, float d, float h) {
            return slope_angle(grid, column, c, d, h);
        },
        NoAnswer::no_slope_angle);
}

py::tuple confirmed_angles(py::handle phi, py::handle cohesion, py::handle density, py::handle height,
                           py::handle fs, py::handle units) {
    return readings(
        {phi, cohesion, density, height, fs}, units_if_given(units),
        [](const ChartGrid& grid, const ChartColumn& column, float c, float d, float h) {
            return confirmed_angle(grid, column, c, d, h);
        },
        NoAnswer::no_confirmed_angle);
}

}  // namespace zelm::python
