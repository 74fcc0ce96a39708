// zelm_fs._core: the calculator's core as Python sees it, bound with pybind11. The package
// around it (python/zelm_fs/) gives the public functions their signatures and long
// docstrings and issues the warnings; everything that computes or writes is here, in the
// same C++ as the program and the page.
#include "messages/columns.hpp"
#include "python/factors_of_safety.hpp"
#include "python/slope_angles.hpp"
#include "python/sweep_result.hpp"

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cmath>
#include <string>

namespace py = pybind11;
using namespace pybind11::literals;
using zelm::python::SweepResult;

namespace {

// The titles of the DataFrame's columns: the workbook's above the height, x and y ("H (m)",
// ...), then the chart's angle as computed and the confirmed angle.
py::tuple column_titles() {
    const zelm::ColumnTitles& t = zelm::column_titles;
    return py::make_tuple(t.height, t.x, t.y, t.chart_angle, t.confirmed_angle);
}

std::string shown(float value) { return std::string(py::repr(py::float_(static_cast<double>(value)))); }

std::string repr_of(const SweepResult& run) {
    const zelm::ChartInputs& v = run.entered();
    return "<zelm_fs.Sweep phi=" + shown(v.friction_angle) + " cohesion=" + shown(v.cohesion) +
           " density=" + shown(v.density) + " height=" + shown(v.height) + " step=" + shown(v.definition) +
           " fs=" + shown(v.security_factor) + ": " + std::to_string(run.rows()) + " rows, " +
           std::to_string(run.warnings().size()) + " warnings>";
}

// zelm_fs.Sweep: one run's rows as arrays, its warnings and values, and the two files.
void define_sweep(py::module_& module) {
    py::class_<SweepResult>(module, "Sweep", R"(One run of the calculator, as zelm_fs.sweep() makes it.

The rows are numpy float32 arrays, one element per height, read-only:
  height  the height of each row, the step added up in single precision as the
          program adds it (29 steps of 0.1 give 2.8999994, printed 2,90)
  x       tan(phi)/FS on the chart's two-decimal grid, the same on every row
  y       C'/(d*H*tan(phi)) on the same grid (inf or NaN where the file's cell is empty)
  angle   chart 1's slope angle in degrees, as computed; the file prints it in whole
          degrees; NaN where the file's angle cell is empty
  confirmed_angle
          the steepest whole degree b such that every chart row from x = 0.80 down to
          the run's x reads an angle of at least b at the row's y: the check of a slope
          at b (factor_of_safety) reaches the run's FS. It can be below the angle the
          file prints, which is rounded and, where chart 1's rows cross, checks short.
          NaN where there is none (x beyond 0.20 to 0.80, or no angle)
warnings holds the program's warning sentences for the run, values the six values
as the program read them (floats), and len() the number of rows.)")
        .def_property_readonly("height", &SweepResult::height, "Height of each row, m (float32).")
        .def_property_readonly("x", &SweepResult::x,
                               "x = tan(phi)/FS of each row, on the two-decimal grid (float32).")
        .def_property_readonly("y", &SweepResult::y,
                               "y = C'/(d*H*tan(phi)) of each row, on the two-decimal grid (float32).")
        .def_property_readonly(
            "angle", &SweepResult::angle,
            "Slope angle of each row, degrees (float32); NaN where the file's cell is empty.")
        .def_property_readonly(
            "confirmed_angle", &SweepResult::confirmed_angle,
            "Confirmed angle of each row, whole degrees (float32); NaN where there is none.")
        .def_property_readonly(
            "warnings", [](const SweepResult& run) { return py::tuple(py::cast(run.warnings())); },
            "The program's warnings for this run, one sentence each.")
        .def_property_readonly(
            "values",
            [](const SweepResult& run) {
                const zelm::ChartInputs& v = run.entered();
                return py::make_tuple(v.friction_angle, v.cohesion, v.density, v.height, v.definition,
                                      v.security_factor);
            },
            "The six values as the program read them: (phi, cohesion, density, height, step, fs).")
        .def("__len__", &SweepResult::rows)
        .def("__repr__", &repr_of)
        .def("write", &SweepResult::write, "path"_a = "ZELM_FS_result.xls",
             R"(Write the result file at path, the very bytes the program writes for these values.

The file is written beside path and moved over it once complete; an earlier file there is
kept when it cannot be written, which raises OSError with the errno and the name. The file
is text: a name ending in .xlsx (a workbook's), and "-" (standard output's on the command
line), raise ValueError.)")
        .def("write_workbook", &SweepResult::write_workbook, "path"_a = "ZELM_FS_result.xlsx",
             R"(Write the program's workbook (.xlsx) at path, as write() writes the result file.

A run with more rows than a sheet holds (1048568 under the header) gets no workbook: OSError.)");
}

}  // namespace

PYBIND11_MODULE(_core, module) {
    module.doc() = "The calculator's core, as the zelm_fs package uses it.";
    module.attr("__version__") = ZELM_VERSION;
    module.attr("column_titles") = column_titles();

    define_sweep(module);

    module.def(
        "sweep",
        [](py::handle phi, py::handle cohesion, py::handle density, py::handle height, py::handle step,
           py::handle fs) { return SweepResult(phi, cohesion, density, height, step, fs); },
        "phi"_a, "cohesion"_a, "density"_a, "height"_a, "step"_a, "fs"_a, "One run: see zelm_fs.sweep.");
    module.def("slope_angle", &zelm::python::slope_angles, "phi"_a, "cohesion"_a, "density"_a, "height"_a,
               "fs"_a, "Chart 1's slope angles over arrays, and a warning or None: see zelm_fs.slope_angle.");
    module.def("confirmed_angle", &zelm::python::confirmed_angles, "phi"_a, "cohesion"_a, "density"_a,
               "height"_a, "fs"_a,
               "The confirmed angles over arrays, and a warning or None: see zelm_fs.confirmed_angle.");
    module.def(
        "factor_of_safety", &zelm::python::factors_of_safety, "phi"_a, "cohesion"_a, "density"_a, "height"_a,
        "angle"_a,
        "The factor of safety of standing slopes, and a warning or None: see zelm_fs.factor_of_safety.");
}
