#include "python/probability.hpp"

#include "messages/python.hpp"
#include "probability/draws.hpp"
#include "probability/failure.hpp"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <array>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

namespace zelm::python {

namespace py = pybind11;
using namespace py::literals;

namespace {

using SpreadGiven = std::tuple<std::string, double, double>;

UncertainValue uncertain(const SpreadGiven& given) {
    const auto& [kind, mean, sd] = given;
    const Spread spread = kind == "normal"      ? Spread::normal
                          : kind == "lognormal" ? Spread::lognormal
                                                : Spread::known;
    return {spread, mean, sd};
}

py::tuple drawn_block(const std::array<SpreadGiven, 3>& spreads, double correlation, std::uint64_t seed,
                      std::uint64_t block, std::size_t count) {
    const UncertainMaterial material{uncertain(spreads[0]), uncertain(spreads[1]), uncertain(spreads[2]),
                                     correlation};
    std::vector<DrawnMaterial> draws(count);
    {
        py::gil_scoped_release unlocked;
        draw_block(material, seed, block, draws);
    }
    std::array<py::array_t<double>, 3> values{py::array_t<double>(static_cast<py::ssize_t>(count)),
                                              py::array_t<double>(static_cast<py::ssize_t>(count)),
                                              py::array_t<double>(static_cast<py::ssize_t>(count))};
    double* phi = values[0].mutable_data();
    double* cohesion = values[1].mutable_data();
    double* density = values[2].mutable_data();
    for (std::size_t i = 0; i < count; ++i) {
        phi[i] = draws[i].friction_angle;
        cohesion[i] = draws[i].cohesion;
        density[i] = draws[i].density;
    }
    return py::make_tuple(values[0], values[1], values[2]);
}

std::span<const double> flat(const py::array_t<double, py::array::c_style | py::array::forcecast>& fs) {
    return {fs.data(), static_cast<std::size_t>(fs.size())};
}

py::dict statistics(const py::array_t<double, py::array::c_style | py::array::forcecast>& fs) {
    const FailureStatistics s = failure_statistics(flat(fs));
    return py::dict("draws"_a = s.draws, "unanswered"_a = s.unanswered, "failing"_a = s.failing,
                    "probability"_a = s.probability, "lower"_a = s.lower, "upper"_a = s.upper,
                    "mean"_a = s.mean, "sd"_a = s.sd, "p5"_a = s.p5, "p50"_a = s.p50, "p95"_a = s.p95,
                    "reliability_index"_a = s.reliability_index,
                    "reliability_index_lognormal"_a = s.reliability_index_lognormal);
}

}  // namespace

void define_probability(py::module_& module, const PythonDocs& docs) {
    module.def("draw_block", &drawn_block, "spreads"_a, "correlation"_a, "seed"_a, "block"_a, "count"_a,
               docs.draw_block.c_str());
    module.def("failure_statistics", &statistics, "fs"_a, docs.failure_statistics.c_str());
    module.def(
        "failure_upper_bound",
        [](const py::array_t<double, py::array::c_style | py::array::forcecast>& fs) {
            return failure_share(flat(fs)).upper;
        },
        "fs"_a, docs.failure_statistics.c_str());
    module.def(
        "describes_a_soil",
        [](double phi, double cohesion, double density) {
            return describes_a_soil({phi, cohesion, density});
        },
        "phi"_a, "cohesion"_a, "density"_a, docs.draw_block.c_str());
    module.def("draws_needed", &draws_needed, "probability"_a, "relative"_a, docs.failure_statistics.c_str());
}

}  // namespace zelm::python
