#include "python/broadcast.hpp"

#include "python/arguments.hpp"

#include "messages/entries.hpp"
#include "messages/render.hpp"
#include "messages/warnings.hpp"
#include "numbers/reading.hpp"
#include "python/arguments.hpp"

#include <pybind11/stl.h>

#include <algorithm>
#include <thread>

#if defined(__linux__)
#include <sched.h>
#endif

namespace zelm::python {

namespace py = pybind11;
using namespace pybind11::literals;

namespace {

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
        refuse({Said::python_too_many_dimensions});
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

// Refuses the first str of an argument given as text (a str, or an array of them) that the
// console would refuse too, in the console's words: "phi[1]: '2,5' is written with a
// decimal comma: ...". Returns where the console would read every one.
void refuse_as_the_console(const py::array& texts, const char* name) {
    const py::module_ numpy = py::module_::import("numpy");
    const py::list items = numpy.attr("ravel")(texts).attr("tolist")();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Entry entry = read_entry(items[i].cast<std::string>());
        if (!entry.value) {
            std::string named = name;
            if (texts.ndim() > 0) {
                named += "[" + joined(numpy.attr("unravel_index")(i, texts.attr("shape"))) + "]";
            }
            refuse(named, std::string(py::repr(items[i])), refusal_reason(entry.refusal));
        }
    }
}

// The argument as an array of doubles; anything but numbers is refused.
py::array doubles_of(py::handle value, const char* name) {
    const py::module_ numpy = py::module_::import("numpy");
    const py::array array = numpy.attr("asarray")(value);
    const char kind = array.dtype().kind();
    if (kind != 'b' && kind != 'i' && kind != 'u' && kind != 'f') {
        if (kind == 'U') {
            refuse_as_the_console(array, name);
        }
        // A scalar shown by its repr, an array by its dtype: "an array of object".
        const bool scalar = array.ndim() == 0;
        refuse({Said::python_not_a_number,
                Field::none,
                {{"argument", Text{name}},
                 {scalar ? "shown" : "dtype",
                  Text{std::string(scalar ? py::repr(value) : py::str(array.dtype()))}}}});
    }
    return numpy.attr("asarray")(array, "dtype"_a = "float64");
}

}  // namespace

Broadcast broadcast(const std::array<py::handle, operand_count>& values, const Names& names) {
    const py::module_ numpy = py::module_::import("numpy");
    Broadcast b;
    b.names = names;
    py::list shapes;
    for (std::size_t k = 0; k < operand_count; ++k) {
        b.arguments[k] = doubles_of(values[k], names[k]);
        shapes.append(b.arguments[k].attr("shape"));
    }
    try {
        b.shape = numpy.attr("broadcast_shapes")(*shapes);
    } catch (const py::error_already_set& error) {
        if (!error.matches(PyExc_ValueError)) {
            throw;
        }
        Clauses arguments{{}, ", ", " and "};
        for (const char* name : names) {
            arguments.items.push_back({Said::python_argument, Field::none, {{"name", Text{name}}}});
        }
        refuse({Said::python_shapes_do_not_broadcast,
                Field::none,
                {{"arguments", std::move(arguments)}, {"shapes", Text{joined(shapes)}}}});
    }
    for (std::size_t k = 0; k < operand_count; ++k) {
        b.views[k] = numpy.attr("broadcast_to")(b.arguments[k], b.shape);
    }
    b.walk = walk_over(b.views);
    return b;
}

std::string element_name(const Broadcast& broadcast, std::size_t argument, std::size_t flat) {
    const py::array& own = broadcast.arguments[argument];
    std::string name = broadcast.names[argument];
    if (own.ndim() == 0) {
        return name;
    }
    // The index in the broadcast shape, then in the argument's own: its dimensions are the
    // last ones, and one of extent 1 is read at 0 whatever the index.
    const py::module_ numpy = py::module_::import("numpy");
    const py::tuple index = numpy.attr("unravel_index")(flat, broadcast.shape);
    const auto skipped = static_cast<std::size_t>(py::len(index)) - static_cast<std::size_t>(own.ndim());
    py::list own_index;
    for (py::ssize_t d = 0; d < own.ndim(); ++d) {
        own_index.append(own.shape(d) == 1 ? py::int_(0) : index[skipped + static_cast<std::size_t>(d)]);
    }
    return name + "[" + joined(own_index) + "]";
}

void raise_after_elements(const Broadcast& broadcast, Interruption& interruption, bool held) {
    interruption.raise_if_interrupted();
    if (!held) {
        refuse_what_no_float_holds(broadcast);
        throw py::value_error(value_beyond_a_float());
    }
}

void refuse_what_no_float_holds(const Broadcast& broadcast) {
    const py::module_ numpy = py::module_::import("numpy");
    for (std::size_t k = 0; k < operand_count; ++k) {
        const auto flat = numpy.attr("ravel")(broadcast.arguments[k]).cast<py::array_t<double>>();
        for (py::ssize_t i = 0; i < flat.size(); ++i) {
            const double value = flat.at(i);
            if (const auto refusal = refusal_of(value)) {
                std::string name = broadcast.names[k];
                if (broadcast.arguments[k].ndim() > 0) {
                    const py::tuple index =
                        numpy.attr("unravel_index")(i, broadcast.arguments[k].attr("shape"));
                    name += "[" + joined(index) + "]";
                }
                refuse(name, std::string(py::repr(py::float_(value))), refusal_reason(*refusal));
            }
        }
    }
}

Values values_at(const Walk& walk, std::size_t flat) {
    Values found{};
    auto take = [&found](const Values& v, std::size_t) {
        found = v;
        return true;
    };
    elements_of(walk, flat, flat + 1, take);
    return found;
}

Unanswered::Found Unanswered::found(Kind kind) const {
    Found found;
    for (const Chunk& chunk : chunks_) {
        found.first = found.count == 0 ? chunk.first[kind] : found.first;
        found.count += chunk.count[kind];
    }
    return found;
}

namespace {

// One kind's part of the call's warning: the count of its elements among all, what they
// are, and the first of them, named by its argument and index, or by its place in the
// broadcast shape (by none for a call of scalars alone), and why.
Diagnostic told_of(const Broadcast& broadcast, const UnansweredKind& kind, Unanswered::Found found) {
    auto [argument, why] = kind.why(values_at(broadcast.walk, found.first));
    const Count count{static_cast<std::int64_t>(found.count)};
    // Named as the chart the module's calls read names itself.
    const Diagnostic told{
        kind.told, Field::none, {{"count", count}, {"chart", Text{std::string(design_chart().name)}}}};
    const bool ended = why.ends_with('.');
    Diagnostic said{Said::python_elements_told,
                    Field::none,
                    {{"count", count},
                     {"elements", Count{static_cast<std::int64_t>(broadcast.walk.size)}},
                     {"told", Clauses{{told}}},
                     {"why", Text{std::move(why)}},
                     {"ended", Flag{ended}}}};
    if (argument < operand_count) {
        said.args.push_back({"first", Text{element_name(broadcast, argument, found.first)}});
    } else if (py::len(broadcast.shape) > 0) {
        const py::tuple index =
            py::module_::import("numpy").attr("unravel_index")(found.first, broadcast.shape);
        const Diagnostic element{Said::python_element_at, Field::none, {{"index", Text{joined(index)}}}};
        said.args.push_back({"first", Clauses{{element}}});
    }
    return said;
}

}  // namespace

py::object unanswered_warning(const Broadcast& broadcast, const Unanswered& unanswered,
                              const UnansweredKind& no_slope, const UnansweredKind& off_chart,
                              const UnansweredKind* fs_below_one, const UnansweredKind* unit_weight) {
    std::string warning;
    for (const auto& [kind, told] : {std::pair{Unanswered::no_slope, &no_slope},
                                     {Unanswered::unit_weight, unit_weight},
                                     {Unanswered::fs_below_one, fs_below_one},
                                     {Unanswered::off_chart, &off_chart}}) {
        const Unanswered::Found found = told != nullptr ? unanswered.found(kind) : Unanswered::Found{};
        if (found.count > 0) {
            warning.append(warning.empty() ? "" : " ").append(render(told_of(broadcast, *told, found)));
        }
    }
    return warning.empty() ? py::none() : py::object(py::str(warning));
}

UnansweredKind unit_weight_kind(std::optional<Units> units) {
    return {NoAnswer::unit_weight, [units](const Values& v) {
                return std::pair{std::size_t{2}, sentence(*unit_weight_out_of_range(v[2], units))};
            }};
}

py::object returned(const py::array& array) {
    if (array.ndim() == 0) {
        return array[py::tuple()];
    }
    return array;
}

std::size_t cores_to_use() {
#if defined(__linux__)
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    if (sched_getaffinity(0, sizeof(allowed), &allowed) == 0 && CPU_COUNT(&allowed) > 0) {
        return static_cast<std::size_t>(CPU_COUNT(&allowed));
    }
#endif
    return std::max(1U, std::thread::hardware_concurrency());
}

}  // namespace zelm::python
