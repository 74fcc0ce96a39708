// Five values broadcast against each other as numpy broadcasts the arguments of its own
// functions, and walked element by element in C order, the work shared between the
// machine's cores with the GIL released: what slope_angle and factor_of_safety share.
#pragma once

#include "entries/diagnostic.hpp"
#include "python/interruption.hpp"
#include "sweep/chart_inputs.hpp"
#include "sweep/unit_weight.hpp"

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace zelm::python {

inline constexpr std::size_t operand_count = 5;
using Names = std::array<const char*, operand_count>;
using Values = std::array<float, operand_count>;

// True when a value is NaN: numpy's "no value", whose element is NaN and is not counted.
inline bool has_nan(const Values& v) {
    return std::any_of(v.begin(), v.end(), [](float value) { return std::isnan(value); });
}

// The elements of the walk taken in turn by one core: about a millisecond of work for a
// reading of the chart.
inline constexpr std::size_t chunk_elements = std::size_t{1} << 14U;

// The most dimensions a numpy array has.
inline constexpr std::size_t max_dimensions = 64;

// The five arrays as one walk over the broadcast shape, C order, with the dimensions that
// every operand runs through contiguously merged into one (most often all of them): the
// innermost loop is then as long as it can be.
struct Walk {
    std::vector<pybind11::ssize_t> shape;                               // at least one dimension
    std::array<std::vector<pybind11::ssize_t>, operand_count> strides;  // in bytes, 0 where broadcast
    std::array<const char*, operand_count> data{};
    std::size_t size = 1;
};

// The arguments as arrays of doubles, which hold every value of any numeric dtype (a
// float32 exactly), their broadcast shape, and the walk over it. ValueError, naming the
// argument, for anything but numbers and for shapes that do not broadcast.
struct Broadcast {
    Names names;
    std::array<pybind11::array, operand_count> arguments;  // each in its own shape
    std::array<pybind11::array, operand_count> views;      // each in the broadcast shape
    pybind11::object shape;                                // a tuple
    Walk walk;
};
Broadcast broadcast(const std::array<pybind11::handle, operand_count>& values, const Names& names);

// The argument's name with the element's index in its own shape ("height[1, 0]"), for the
// element at `flat` of the walk; the name alone for a scalar.
std::string element_name(const Broadcast& broadcast, std::size_t argument, std::size_t flat);

// Throws ValueError for the first value, argument by argument in C order, that a float
// cannot hold, in the console's words; returns when there is none.
void refuse_what_no_float_holds(const Broadcast& broadcast);

// The values of one element of the walk, at `flat`.
Values values_at(const Walk& walk, std::size_t flat);

// The elements a call tells of in its warning: those it leaves without an answer, of two
// kinds, those whose values describe no slope the chart can be read for and those the
// chart reads no answer for (off the chart); and those answered for a factor of safety
// below 1. Counted per chunk of the walk, each chunk by the one core that takes it, and
// summed once the call is over: how many of each kind and the first in C order.
class Unanswered {
  public:
    enum Kind : std::uint8_t { no_slope, off_chart, fs_below_one, unit_weight };

    // Counted in chunks of `chunk` elements, those of the walk.
    explicit Unanswered(std::size_t elements, std::size_t chunk = chunk_elements)
        : chunk_(chunk), chunks_((elements + chunk - 1) / chunk) {}

    void note(Kind kind, std::size_t flat) {
        Chunk& chunk = chunks_[flat / chunk_];
        chunk.first[kind] = chunk.count[kind] == 0 ? flat : chunk.first[kind];
        ++chunk.count[kind];
    }

    struct Found {
        std::size_t count = 0;
        std::size_t first = 0;
    };
    Found found(Kind kind) const;

  private:
    struct alignas(64) Chunk {  // one cache line each: the cores write side by side
        std::array<std::size_t, 4> count{};
        std::array<std::size_t, 4> first{};
    };
    std::size_t chunk_;
    std::vector<Chunk> chunks_;
};

// What the elements a call over arrays tells of are, as its warning says it: most, those
// it leaves without an answer.
struct NoAnswer {
    // Their values describe no slope (NaN); the same, for the factor of safety's two ends.
    static constexpr Said no_slope = Said::python_no_slope;
    static constexpr Said no_slope_at_both_ends = Said::python_no_slope_at_both_ends;
    // The chart has no slope angle there, or no whole degree is confirmed there: NaN.
    static constexpr Said no_slope_angle = Said::python_no_slope_angle;
    static constexpr Said no_confirmed_angle = Said::python_no_confirmed_angle;
    // A slope beyond the chart: its FS NaN at one end.
    static constexpr Said beyond_the_chart = Said::python_beyond_the_chart;
    // Their values describe no slope for Bishop's method, or the method does not apply to
    // their slope: NaN.
    static constexpr Said no_bishop_slope = Said::python_no_bishop_slope;
    static constexpr Said bishop_fails = Said::python_bishop_fails;
    // No whole degree reaches the factor of safety by Bishop's method: NaN.
    static constexpr Said no_bishop_angle = Said::python_no_bishop_angle;
    // Answered, but for a factor of safety below 1, or a density no soil or rock has.
    static constexpr Said fs_below_one = Said::python_fs_below_one;
    static constexpr Said unit_weight = Said::python_unit_weight;
};

// What one kind of the unanswered elements of a call comes to, for its warning.
struct UnansweredKind {
    // What they are, as the warning says it: one of NoAnswer's.
    Said told;
    // The first of them: the argument at fault (operand_count for none), and why.
    std::function<std::pair<std::size_t, std::string>(const Values&)> why;
};

// The call's one warning, or None: for each kind with elements, their count among all
// and the first, named by its argument and index, and why ("3 of 12 elements have no
// slope angle on chart 1, and are NaN; the first (element [0, 0]): chart 1 has no ..."); those
// below 1, where the call tells of them, after those that describe no slope, as a run's
// warnings come.
pybind11::object unanswered_warning(const Broadcast& broadcast, const Unanswered& unanswered,
                                    const UnansweredKind& no_slope, const UnansweredKind& off_chart,
                                    const UnansweredKind* fs_below_one = nullptr,
                                    const UnansweredKind* unit_weight = nullptr);

// The elements whose density (or unit weight) no soil or rock has in `units` (in either
// units, where the call was not told them): answered all the same, as a run's rows are,
// and told in the run's own sentence.
UnansweredKind unit_weight_kind(std::optional<Units> units);

// Whether the element's density is one that unit_weight_kind tells of.
inline bool weighs_what_no_soil_does(const Values& v, std::optional<Units> units) {
    return !weighs_as_soils_do(v[2], units);
}

// The array returned: a numpy scalar for the shape of scalars alone.
pybind11::object returned(const pybind11::array& array);

// True when a float holds the value (NaN included): see refusal_of.
inline bool fits_a_float(double value) {
    const auto narrowed = static_cast<float>(value);
    return !std::isinf(narrowed) && (narrowed != 0.0F || value == 0.0);
}

// Calls element(values, flat) for the elements [begin, end) of the walk, the values as
// floats. False, with the rest of the range left, once a value is one a float cannot hold
// or an element returned false.
template <typename Element>
bool elements_of(const Walk& walk, std::size_t begin, std::size_t end, Element& element) {
    const std::size_t dimensions = walk.shape.size();
    std::array<pybind11::ssize_t, max_dimensions> index{};
    std::size_t rest = begin;
    for (std::size_t d = dimensions; d-- > 0;) {
        index[d] = static_cast<pybind11::ssize_t>(rest % static_cast<std::size_t>(walk.shape[d]));
        rest /= static_cast<std::size_t>(walk.shape[d]);
    }
    const std::size_t inner = dimensions - 1;
    for (std::size_t flat = begin; flat < end;) {
        const std::size_t count =
            std::min(end - flat, static_cast<std::size_t>(walk.shape[inner] - index[inner]));
        std::array<const char*, operand_count> at{};
        std::array<pybind11::ssize_t, operand_count> step{};
        for (std::size_t k = 0; k < operand_count; ++k) {
            at[k] = walk.data[k];
            for (std::size_t d = 0; d < dimensions; ++d) {
                at[k] += index[d] * walk.strides[k][d];
            }
            step[k] = walk.strides[k][inner];
        }
        bool held = true;
        for (std::size_t i = 0; i < count; ++i) {
            Values v{};
            for (std::size_t k = 0; k < operand_count; ++k) {
                double value = 0.0;  // wherever numpy put it: a view need not be aligned
                std::memcpy(&value, at[k] + static_cast<pybind11::ssize_t>(i) * step[k], sizeof value);
                held = held && fits_a_float(value);
                v[k] = static_cast<float>(value);
            }
            held = element(v, flat + i) && held;
        }
        if (!held) {
            return false;
        }
        flat += count;
        index[inner] += static_cast<pybind11::ssize_t>(count);
        for (std::size_t d = inner; d > 0 && index[d] == walk.shape[d]; --d) {
            index[d] = 0;
            ++index[d - 1];
        }
    }
    return true;
}

// The cores this process may run on: those its affinity leaves it (a Dask worker bound to
// one core, a container's share), or all the machine's where the system does not say.
std::size_t cores_to_use();

// Every element of the walk, the work shared between the cores this process may run on:
// chunks of `chunk` elements (chunk_elements unless an element's work is much longer than
// a reading of the chart) are taken in turn by each, so that none waits for a slower one,
// and each chunk calls an element of its own, from make() (it may keep what a study's
// neighbouring elements share). The calling thread alone asks Python whether to stop.
// False when an element was refused. Call it with the GIL released.

template <typename Make>
bool for_each_element(const Walk& walk, Interruption& interruption, const Make& make,
                      std::size_t chunk = chunk_elements) {
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
            auto element = make();
            if (!elements_of(walk, begin, std::min(walk.size, begin + chunk), element)) {
                refused = true;
                over = true;
            }
            if (asks_python && asked_to_stop(stop)) {
                over = true;
            }
        }
    };
    std::vector<std::thread> helpers;
    const std::size_t cores = cores_to_use();
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

// After the elements: Ctrl-C raised as KeyboardInterrupt, and where an element was
// refused (`held` false), ValueError naming the first value no float holds.
void raise_after_elements(const Broadcast& broadcast, Interruption& interruption, bool held);

// Each element answered by the bodies `make` makes, as for_each_element answers them, with
// the GIL released, where the broadcast has any; then what raise_after_elements raises.
template <typename Make>
void answer_elements(const Broadcast& broadcast, const Make& make, std::size_t chunk = chunk_elements) {
    Interruption interruption;
    bool held = true;
    if (broadcast.walk.size > 0) {
        const pybind11::gil_scoped_release released;
        held = for_each_element(broadcast.walk, interruption, make, chunk);
    }
    raise_after_elements(broadcast, interruption, held);
}

}  // namespace zelm::python
