// zelm_fs._core: the calculator's core as Python sees it, bound with pybind11. The package
// around it (python/zelm_fs/) gives the public functions their signatures and long
// docstrings and issues the warnings; everything that computes or writes is here, in the
// same C++ as the program and the page, and every word comes from the messages room.
#include "messages/python.hpp"
#include "messages/render.hpp"
#include "messages/units.hpp"
#include "python/bishop_factors.hpp"
#include "python/factors_of_safety.hpp"
#include "python/probability.hpp"
#include "python/slope_angles.hpp"
#include "python/sweep_result.hpp"
#include "result/run_columns.hpp"

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>

namespace py = pybind11;
using namespace pybind11::literals;
using zelm::python::SweepResult;

namespace {

// The words of a study of the probability of failure, refused or with draws unanswered,
// by the package's key, its slots filled with the texts given.
std::string probability_words(const std::string& key, const py::kwargs& texts) {
    using zelm::Said;
    static constexpr std::pair<std::string_view, Said> refusals[] = {
        {"method", Said::python_method_unknown},
        {"distribution", Said::python_distribution_refused},
        {"lognormal_mean", Said::python_lognormal_mean},
        {"not_one_dimension", Said::python_draws_not_one_dimension},
        {"draws_differ", Said::python_draws_differ},
        {"correlation", Said::python_correlation_refused},
        {"correlation_of_distributions", Said::python_correlation_of_distributions},
        {"mean_no_soil", Said::python_mean_no_soil},
        {"target", Said::python_target_refused},
        {"seed", Said::python_seed_refused},
        {"draws_unanswered", Said::python_draws_unanswered},
    };
    static constexpr std::string_view slots[] = {"shown",   "argument",   "mean",  "sd",
                                                 "lengths", "dimensions", "count", "draws",
                                                 "first",   "last",       "said"};
    const auto* refusal = std::find_if(std::begin(refusals), std::end(refusals),
                                       [&](const auto& known) { return known.first == key; });
    if (refusal == std::end(refusals)) {
        throw py::key_error(key);
    }
    zelm::Diagnostic said{refusal->second};
    for (const auto& [name, text] : texts) {
        const auto* slot = std::find(std::begin(slots), std::end(slots), py::str(name).cast<std::string>());
        if (slot == std::end(slots)) {
            throw py::key_error(py::str(name).cast<std::string>());
        }
        said.args.push_back({*slot, zelm::Text{py::str(text).cast<std::string>()}});
    }
    return zelm::render(said);
}

// One thing said of each of a run's columns, in their order: the names of a Sweep's
// arrays, or the titles of a DataFrame's columns over them.
py::tuple of_each_column(std::string_view zelm::RunColumn::*said) {
    py::tuple each(zelm::run_columns.size());
    for (std::size_t place = 0; place < zelm::run_columns.size(); ++place) {
        each[place] = py::str(std::string(zelm::run_columns.at(place).*said));
    }
    return each;
}

// A value as Python shows it: "30.0".
zelm::Text shown(float value) { return {std::string(py::repr(py::float_(static_cast<double>(value))))}; }

// A run as Python shows it: its six values, units, rows and warnings.
std::string repr_of(const SweepResult& run) {
    const zelm::ChartInputs& v = run.entered();
    const auto count = [](std::size_t n) { return zelm::Count{static_cast<std::int64_t>(n)}; };
    return zelm::render({zelm::Said::python_sweep_repr,
                         zelm::Field::none,
                         {{"phi", shown(v.friction_angle)},
                          {"cohesion", shown(v.cohesion)},
                          {"density", shown(v.density)},
                          {"height", shown(v.height)},
                          {"step", shown(v.definition)},
                          {"fs", shown(v.security_factor)},
                          {"units", zelm::Text{std::string(zelm::labels_of(v.units).option)}},
                          {"rows", count(run.rows())},
                          {"warnings", count(run.warnings().size())}}});
}

// zelm_fs.Sweep: one run's rows as arrays, its warnings, values and units, and the two files.
void define_sweep(py::module_& module, const zelm::PythonDocs& docs) {
    py::class_<SweepResult> sweep(module, "Sweep", docs.sweep_class.c_str());
    // An array of each column, under the column's name, told of by its help.
    for (std::size_t place = 0; place < zelm::run_columns.size(); ++place) {
        const zelm::RunColumn& column = zelm::run_columns.at(place);
        sweep.def_property_readonly(
            std::string(column.key).c_str(), [place](const SweepResult& run) { return run.column(place); },
            std::string(column.help).c_str());
    }
    sweep
        .def_property_readonly(
            "warnings", [](const SweepResult& run) { return py::tuple(py::cast(run.warnings())); },
            docs.warnings.c_str())
        .def_property_readonly(
            "values",
            [](const SweepResult& run) {
                const zelm::ChartInputs& v = run.entered();
                return py::make_tuple(v.friction_angle, v.cohesion, v.density, v.height, v.definition,
                                      v.security_factor);
            },
            docs.values.c_str())
        .def_property_readonly(
            "units", [](const SweepResult& run) { return zelm::labels_of(run.entered().units).option; },
            docs.units.c_str())
        .def_property_readonly(
            "angles",
            [](const SweepResult& run) {
                return run.entered().angles == zelm::Angles::confirmed ? zelm::confirmed_angles_option
                                                                       : zelm::chart_angles_option;
            },
            docs.angles.c_str())
        .def("__len__", &SweepResult::rows)
        .def("__repr__", &repr_of)
        .def("write", &SweepResult::write, "path"_a = "ZELM_FS_result.xls", docs.write.c_str())
        .def("write_workbook", &SweepResult::write_workbook, "path"_a = "ZELM_FS_result.xlsx",
             docs.write_workbook.c_str());
}

// Bishop's method over arrays: the factor of safety of standing slopes, the steepest
// degree reaching a factor of safety, and the draws of a study of the probability of
// failure, with that study's words.
void define_bishop(py::module_& module, const zelm::PythonDocs& docs) {
    module.def(
        "bishop_factor_of_safety",
        [](py::handle phi, py::handle cohesion, py::handle density, py::handle height, py::handle angle,
           py::handle units, py::handle ru, py::handle water, py::handle crack, bool wet_crack, py::handle kh,
           bool critical) {
            return zelm::python::bishop_factors_of_safety(phi, cohesion, density, height, angle, units,
                                                          {ru, water, crack, wet_crack, kh}, critical);
        },
        "phi"_a, "cohesion"_a, "density"_a, "height"_a, "angle"_a, py::kw_only(), "units"_a = py::none(),
        "ru"_a = py::none(), "water"_a = py::none(), "crack"_a = py::none(), "wet_crack"_a = false,
        "kh"_a = py::none(), "critical_kh"_a = false, docs.bishop_factors_of_safety.c_str());
    module.def(
        "bishop_angle",
        [](py::handle phi, py::handle cohesion, py::handle density, py::handle height, py::handle fs,
           py::handle units, py::handle ru, py::handle water, py::handle crack, bool wet_crack,
           py::handle kh) {
            return zelm::python::bishop_angles(phi, cohesion, density, height, fs, units,
                                               {ru, water, crack, wet_crack, kh});
        },
        "phi"_a, "cohesion"_a, "density"_a, "height"_a, "fs"_a, py::kw_only(), "units"_a = py::none(),
        "ru"_a = py::none(), "water"_a = py::none(), "crack"_a = py::none(), "wet_crack"_a = false,
        "kh"_a = py::none(), docs.bishop_angles.c_str());
    module.def("probability_words", &probability_words, "key"_a, docs.probability_words.c_str());
    module.def(
        "bishop_draws",
        [](py::handle phi, py::handle cohesion, py::handle density, py::handle height, py::handle angle,
           py::handle nominal, py::handle units, py::handle ru, py::handle water, py::handle crack,
           bool wet_crack, py::handle kh) {
            return zelm::python::bishop_draws(phi, cohesion, density, height, angle, nominal, units,
                                              {ru, water, crack, wet_crack, kh});
        },
        "phi"_a, "cohesion"_a, "density"_a, "height"_a, "angle"_a, "nominal"_a, py::kw_only(),
        "units"_a = py::none(), "ru"_a = py::none(), "water"_a = py::none(), "crack"_a = py::none(),
        "wet_crack"_a = false, "kh"_a = py::none(), docs.bishop_draws.c_str());
}

}  // namespace

PYBIND11_MODULE(_core, module) {
    const zelm::PythonDocs docs = zelm::python_docs(zelm::design_chart());
    module.doc() = docs.module;
    module.attr("__version__") = ZELM_VERSION;
    module.attr("column_keys") = of_each_column(&zelm::RunColumn::key);
    module.attr("column_titles") = of_each_column(&zelm::RunColumn::title);

    define_sweep(module, docs);
    zelm::python::define_probability(module, docs);

    module.def(
        "sweep",
        [](py::handle phi, py::handle cohesion, py::handle density, py::handle height, py::handle step,
           py::handle fs, py::handle units, py::handle angles, py::handle ru, py::handle water,
           py::handle crack, bool wet_crack, py::handle kh) {
            return SweepResult(phi, cohesion, density, height, step, fs, units, angles,
                               {ru, water, crack, wet_crack, kh});
        },
        "phi"_a, "cohesion"_a, "density"_a, "height"_a, "step"_a, "fs"_a, py::kw_only(), "units"_a = "tonnes",
        "angles"_a = "chart", "ru"_a = py::none(), "water"_a = py::none(), "crack"_a = py::none(),
        "wet_crack"_a = false, "kh"_a = py::none(), docs.sweep.c_str());
    module.def("slope_angle", &zelm::python::slope_angles, "phi"_a, "cohesion"_a, "density"_a, "height"_a,
               "fs"_a, py::kw_only(), "units"_a = py::none(), docs.slope_angles.c_str());
    module.def("confirmed_angle", &zelm::python::confirmed_angles, "phi"_a, "cohesion"_a, "density"_a,
               "height"_a, "fs"_a, py::kw_only(), "units"_a = py::none(), docs.confirmed_angles.c_str());
    module.def("factor_of_safety", &zelm::python::factors_of_safety, "phi"_a, "cohesion"_a, "density"_a,
               "height"_a, "angle"_a, py::kw_only(), "units"_a = py::none(), docs.factors_of_safety.c_str());
    define_bishop(module, docs);
}
