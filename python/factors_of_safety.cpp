#include "python/factors_of_safety.hpp"

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

SlopeToCheck slope_of(const Values& v) { return {v[0], v[1], v[2], v[3], v[4]}; }

bool has_nan(const Values& v) {
    return std::isnan(v[0]) || std::isnan(v[1]) || std::isnan(v[2]) || std::isnan(v[3]) || std::isnan(v[4]);
}

// The first element, in C order, whose values describe no slope, refused in the
// program's words: "angle[2]: the slope angle 95 is above 90 degrees: ...".
[[noreturn]] void refuse_what_describes_no_slope(const Broadcast& b) {
    std::size_t found = 0;
    SlopeToCheck slope{};
    CheckAnswer answer;
    auto first = [&](const Values& v, std::size_t flat) {
        if (has_nan(v)) {
            return true;
        }
        slope = slope_of(v);
        answer = check_slope(slope);
        found = flat;
        return answer.verdict != Verdict::no_answer;
    };
    if (elements_of(b.walk, 0, b.walk.size, first)) {
        throw py::value_error("values describe no slope");
    }
    std::string why = check_line(slope, answer);
    why.pop_back();  // its full stop
    throw py::value_error(element_name(b, typed_position(answer.why), found) + ": " + why);
}

}  // namespace

py::tuple factors_of_safety(py::handle phi, py::handle cohesion, py::handle density, py::handle height,
                            py::handle angle) {
    const Broadcast b =
        broadcast({phi, cohesion, density, height, angle}, {"phi", "cohesion", "density", "height", "angle"});
    const auto shape = b.shape.cast<std::vector<py::ssize_t>>();
    py::array_t<double> lower(shape);
    py::array_t<double> upper(shape);
    py::array_t<std::int8_t> side(shape);
    Interruption interruption;
    bool answered = true;
    if (lower.size() > 0) {
        double* low = lower.mutable_data();
        double* high = upper.mutable_data();
        std::int8_t* sides = side.mutable_data();
        const py::gil_scoped_release released;
        answered = for_each_element(b.walk, interruption, [&] {
            return [=](const Values& v, std::size_t flat) {
                CheckAnswer answer;
                if (!has_nan(v)) {
                    answer = check_slope(slope_of(v));
                }
                low[flat] = nan;
                high[flat] = nan;
                sides[flat] = 0;
                switch (answer.verdict) {
                    case Verdict::on_row:
                        low[flat] = answer.lowest.value();
                        high[flat] = answer.highest.value();
                        break;
                    case Verdict::below_chart:  // "FS below" the row's smallest, printed
                        high[flat] = answer.lowest.value();
                        sides[flat] = -1;
                        break;
                    case Verdict::above_chart:  // "FS above" the row's largest, printed
                        low[flat] = answer.highest.value();
                        sides[flat] = 1;
                        break;
                    case Verdict::no_answer:
                        return answer.why == Meaningless::none;  // with a NaN among the values
                }
                return true;
            };
        });
    }
    interruption.raise_if_interrupted();
    if (!answered) {
        refuse_what_no_float_holds(b);
        refuse_what_describes_no_slope(b);
    }
    return py::make_tuple(returned(lower), returned(upper), returned(side));
}

}  // namespace zelm::python
