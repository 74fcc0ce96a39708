#include "python/slope_angles.hpp"

#include "python/broadcast.hpp"
#include "python/interruption.hpp"
#include "sweep/slope_angle.hpp"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <cstdint>
#include <vector>

namespace zelm::python {

namespace py = pybind11;

py::object slope_angles(py::handle phi, py::handle cohesion, py::handle density, py::handle height,
                        py::handle fs) {
    const Broadcast b =
        broadcast({phi, cohesion, density, height, fs}, {"phi", "cohesion", "density", "height", "fs"});
    py::array_t<float> angles(b.shape.cast<std::vector<py::ssize_t>>());
    Interruption interruption;
    bool held = true;
    if (angles.size() > 0) {
        float* out = angles.mutable_data();
        const Chart1Grid& grid = chart1_grid();
        const py::gil_scoped_release released;
        held = for_each_element(b.walk, interruption, [&] {
            // A study most often reads many heights for one friction angle and one factor
            // of safety: what those two alone give is kept while their bits stay the same.
            return [&grid, out, column = ChartColumn{}, column_of = std::uint64_t{0}, column_known = false](
                       const Values& v, std::size_t flat) mutable {
                const std::uint64_t friction_and_safety = std::uint64_t{bits_of(v[0])} << 32U | bits_of(v[4]);
                if (!column_known || friction_and_safety != column_of) {
                    column = chart_column(v[0], v[4]);
                    column_of = friction_and_safety;
                    column_known = true;
                }
                out[flat] = slope_angle(grid, column, v[1], v[2], v[3]);
                return true;
            };
        });
    }
    interruption.raise_if_interrupted();
    if (!held) {
        refuse_what_no_float_holds(b);
        throw py::value_error("a value is one that a float cannot hold");
    }
    return returned(angles);
}

}  // namespace zelm::python
