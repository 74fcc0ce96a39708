#include "python/slope_angles.hpp"

#include "python/arguments.hpp"
#include "python/interruption.hpp"
#include "sweep/slope_angle.hpp"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace zelm::python {

namespace py = pybind11;
using namespace pybind11::literals;

namespace {

constexpr std::size_t operand_count = 5;
constexpr std::array<const char*, operand_count> names{"phi", "cohesion", "density", "height", "fs"};

// The most dimensions a numpy array has.
constexpr std::size_t max_dimensions = 64;

// Elements handed out at a time to each core: about a millisecond of work.
constexpr std::size_t chunk = std::size_t{1} << 14U;

// The five arrays as one walk over the broadcast shape, C order, with the dimensions that
// every operand runs through contiguously merged into one (most often all of them): the
// innermost loop is then as long as it can be.
struct Walk {
    std::vector<py::ssize_t> shape;                               // at least one dimension
    std::array<std::vector<py::ssize_t>, operand_count> strides;  // in bytes, 0 where broadcast
    std::array<const char*, operand_count> data{};
    std::size_t size = 1;
};

Walk walk_over(const std::array<py::array, operand_count>& views) {
    Walk walk;
    const py::ssize_t dimensions = views[0].ndim();
    for (py::ssize_t d = 0; d < dimensions; ++d) {
        const py::ssize_t extent = views[0].shape(d);
        if (extent == 1) {
            continue;  // a dimension of one adds nothing to the walk
        }
        const bool merges = !walk.shape.empty() && [&] {
            for (std::size_t k = 0; k < operand_count; ++k) {
                if (walk.strides[k].back() != views[k].strides(d) * extent) {
                    return false;
                }
            }
            return true;
        }();
        if (merges) {
            walk.shape.back() *= extent;
            for (std::size_t k = 0; k < operand_count; ++k) {
                walk.strides[k].back() = views[k].strides(d);
            }
        } else {
            walk.shape.push_back(extent);
            for (std::size_t k = 0; k < operand_count; ++k) {
                walk.strides[k].push_back(views[k].strides(d));
            }
        }
    }
    if (walk.shape.size() > max_dimensions) {
        throw py::value_error("the arrays have more dimensions than numpy gives an array");
    }
    if (walk.shape.empty()) {
        walk.shape.push_back(1);
        for (auto& strides : walk.strides) {
            strides.push_back(0);
        }
    }
    for (std::size_t k = 0; k < operand_count; ++k) {
        walk.data[k] = static_cast<const char*>(views[k].data());
    }
    for (const py::ssize_t extent : walk.shape) {
        walk.size *= static_cast<std::size_t>(extent);
    }
    return walk;
}

// The items' texts joined by ", ": "(2,), (3,)" for shapes, "1, 0" for an index.
std::string joined(const py::iterable& items) {
    std::string text;
    for (const py::handle item : items) {
        if (!text.empty()) {
            text += ", ";
        }
        text += py::str(item).cast<std::string>();
    }
    return text;
}

// The double at p, wherever numpy put it (a view need not be aligned).
double load(const char* p) {
    double value = 0.0;
    std::memcpy(&value, p, sizeof value);
    return value;
}

// True when a float holds the value (NaN included): see refusal_of.
bool fits_a_float(double value) {
    const auto narrowed = static_cast<float>(value);
    return !std::isinf(narrowed) && (narrowed != 0.0F || value == 0.0);
}

// The angles of the elements [begin, end) of the walk, into out (C order). False, with
// the rest of the range left as it is, as soon as a value is one a float cannot hold.
bool angles_of(const Walk& walk, const Chart1Grid& grid, std::size_t begin, std::size_t end, float* out) {
    const std::size_t dimensions = walk.shape.size();
    std::array<py::ssize_t, max_dimensions> index{};
    std::size_t rest = begin;
    for (std::size_t d = dimensions; d-- > 0;) {
        index[d] = static_cast<py::ssize_t>(rest % static_cast<std::size_t>(walk.shape[d]));
        rest /= static_cast<std::size_t>(walk.shape[d]);
    }
    const std::size_t inner = dimensions - 1;
    ChartColumn column{};
    std::uint64_t column_of = 0;
    bool column_known = false;
    for (std::size_t flat = begin; flat < end;) {
        const std::size_t count =
            std::min(end - flat, static_cast<std::size_t>(walk.shape[inner] - index[inner]));
        std::array<const char*, operand_count> at{};
        std::array<py::ssize_t, operand_count> step{};
        for (std::size_t k = 0; k < operand_count; ++k) {
            at[k] = walk.data[k];
            for (std::size_t d = 0; d < dimensions; ++d) {
                at[k] += index[d] * walk.strides[k][d];
            }
            step[k] = walk.strides[k][inner];
        }
        bool held = true;
        for (std::size_t i = 0; i < count; ++i) {
            std::array<float, operand_count> v{};
            for (std::size_t k = 0; k < operand_count; ++k) {
                const double value = load(at[k] + static_cast<py::ssize_t>(i) * step[k]);
                held = held && fits_a_float(value);
                v[k] = static_cast<float>(value);
            }
            // A study most often reads many heights for one friction angle and one factor
            // of safety: what those two alone give is kept while their bits stay the same.
            const std::uint64_t friction_and_safety = std::uint64_t{bits_of(v[0])} << 32U | bits_of(v[4]);
            if (!column_known || friction_and_safety != column_of) {
                column = chart_column(v[0], v[4]);
                column_of = friction_and_safety;
                column_known = true;
            }
            out[flat + i] = slope_angle(grid, column, v[1], v[2], v[3]);
        }
        if (!held) {
            return false;
        }
        flat += count;
        index[inner] += static_cast<py::ssize_t>(count);
        for (std::size_t d = inner; d > 0 && index[d] == walk.shape[d]; --d) {
            index[d] = 0;
            ++index[d - 1];
        }
    }
    return true;
}

// Every element of the walk, the work shared between the machine's cores: chunks are
// taken in turn by each, so that none waits for a slower one. The calling thread alone
// asks Python whether to stop. False when a value was refused.
bool all_angles(const Walk& walk, float* out, Interruption& interruption) {
    const Chart1Grid& grid = chart1_grid();
    const std::size_t chunks = (walk.size + chunk - 1) / chunk;
    std::atomic<std::size_t> next{0};
    std::atomic<bool> over{false};
    std::atomic<bool> refused{false};
    const ShouldStop stop = interruption.check();
    const auto work = [&](bool asks_python) {
        while (!over.load(std::memory_order_relaxed)) {
            const std::size_t taken = next.fetch_add(1, std::memory_order_relaxed);
            if (taken >= chunks) {
                return;
            }
            const std::size_t begin = taken * chunk;
            if (!angles_of(walk, grid, begin, std::min(walk.size, begin + chunk), out)) {
                refused = true;
                over = true;
            }
            if (asks_python && asked_to_stop(stop)) {
                over = true;
            }
        }
    };
    std::vector<std::thread> helpers;
    const std::size_t cores = std::max(1U, std::thread::hardware_concurrency());
    for (std::size_t h = 1; h < std::min(cores, chunks); ++h) {
        try {
            helpers.emplace_back(work, false);
        } catch (const std::system_error&) {
            break;  // no thread to be had: the calling thread does the rest
        }
    }
    work(true);
    for (std::thread& helper : helpers) {
        helper.join();
    }
    return !refused;
}

// The argument as an array of doubles, which hold every value of any numeric dtype (a
// float32 exactly); anything but numbers is refused.
py::array doubles_of(py::handle value, const char* name) {
    const py::module_ numpy = py::module_::import("numpy");
    const py::array array = numpy.attr("asarray")(value);
    const char kind = array.dtype().kind();
    if (kind != 'b' && kind != 'i' && kind != 'u' && kind != 'f') {
        const std::string shown = array.ndim() == 0 ? std::string(py::repr(value))
                                                    : "an array of " + std::string(py::str(array.dtype()));
        throw py::value_error(std::string(name) + ": " + shown + " is not a number");
    }
    return numpy.attr("asarray")(array, "dtype"_a = "float64");
}

// The first value, argument by argument in C order, that a float cannot hold, named as
// "cohesion[3]" or "height[1, 0]".
[[noreturn]] void refuse_first(const std::array<py::array, operand_count>& arguments) {
    const py::module_ numpy = py::module_::import("numpy");
    for (std::size_t k = 0; k < operand_count; ++k) {
        const auto flat = numpy.attr("ravel")(arguments[k]).cast<py::array_t<double>>();
        for (py::ssize_t i = 0; i < flat.size(); ++i) {
            const double value = flat.at(i);
            if (const auto refusal = refusal_of(value)) {
                std::string name = names[k];
                if (arguments[k].ndim() > 0) {
                    const py::tuple index = numpy.attr("unravel_index")(i, arguments[k].attr("shape"));
                    name += "[" + joined(index) + "]";
                }
                throw py::value_error(name + ": " + std::string(py::repr(py::float_(value))) + " " +
                                      std::string(refusal_reason(*refusal)));
            }
        }
    }
    throw py::value_error("a value is one that a float cannot hold");
}

}  // namespace

py::object slope_angles(py::handle phi, py::handle cohesion, py::handle density, py::handle height,
                        py::handle fs) {
    const py::module_ numpy = py::module_::import("numpy");
    const std::array<py::array, operand_count> arguments{
        doubles_of(phi, names[0]), doubles_of(cohesion, names[1]), doubles_of(density, names[2]),
        doubles_of(height, names[3]), doubles_of(fs, names[4])};
    py::list shapes;
    for (const py::array& argument : arguments) {
        shapes.append(argument.attr("shape"));
    }
    py::object shape;
    try {
        shape = numpy.attr("broadcast_shapes")(*shapes);
    } catch (const py::error_already_set& error) {
        if (!error.matches(PyExc_ValueError)) {
            throw;
        }
        throw py::value_error("phi, cohesion, density, height and fs do not broadcast together: shapes " +
                              joined(shapes));
    }
    std::array<py::array, operand_count> views;
    for (std::size_t k = 0; k < operand_count; ++k) {
        views[k] = numpy.attr("broadcast_to")(arguments[k], shape);
    }
    py::array_t<float> angles(shape.cast<std::vector<py::ssize_t>>());
    const Walk walk = walk_over(views);
    Interruption interruption;
    bool held = true;
    if (angles.size() > 0) {
        float* out = angles.mutable_data();
        const py::gil_scoped_release released;
        held = all_angles(walk, out, interruption);
    }
    interruption.raise_if_interrupted();
    if (!held) {
        refuse_first(arguments);
    }
    if (angles.ndim() == 0) {
        return angles[py::tuple()];
    }
    return angles;
}

}  // namespace zelm::python
