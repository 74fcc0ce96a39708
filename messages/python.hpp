// What the Python module says in its own words: the docstrings of its core, the warning
// that counts the elements a call over arrays leaves without an answer, why an argument,
// a run or a file is refused, and how a run shows itself.
#pragma once

#include "chart/design_chart.hpp"
#include "sweep/chart_inputs.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace zelm {

// The docstrings of zelm_fs._core, which reads `chart`; the package around it gives its
// public functions their own, longer ones.
struct PythonDocs {
    std::string module;
    std::string sweep_class;
    std::string height;
    std::string x;
    std::string y;
    std::string angle;
    std::string confirmed_angle;
    std::string warnings;
    std::string values;
    std::string units;
    std::string angles;
    std::string write;
    std::string write_workbook;
    std::string sweep;
    std::string slope_angles;
    std::string confirmed_angles;
    std::string factors_of_safety;
    std::string bishop_factors_of_safety;
};

PythonDocs python_docs(const DesignChart& chart);

// What the elements a call over arrays tells of are: most, those it leaves without an
// answer.
enum class NoAnswer {
    no_slope,               // their values describe no slope: NaN
    no_slope_at_both_ends,  // the same, for the factor of safety's two ends
    no_slope_angle,         // the chart has no slope angle there: NaN
    no_confirmed_angle,     // no whole degree is confirmed there: NaN
    beyond_the_chart,       // a slope beyond the chart: its FS NaN at one end
    no_bishop_slope,        // their values describe no slope for Bishop's method: NaN
    bishop_fails,           // Bishop's method does not apply to their slope: NaN
    fs_below_one,           // answered, but for a factor of safety below 1
    unit_weight,            // answered, but for a density or unit weight no soil has
};

// One kind's part of a call's warning, for a call that reads `chart`: their count among
// the call's elements, the first of them (its argument and index, "cohesion[1]", or
// "element [0, 2]", or empty for a call of scalars alone) and why. "3 of 12 elements have
// no slope angle on chart 1, and are NaN; the first (element [0, 0]): chart 1 has no ..."
std::string elements_unanswered(NoAnswer kind, const DesignChart& chart, std::size_t count,
                                std::size_t elements, const std::string& first, const std::string& why);

// An element of the broadcast shape, by its index ("0, 2"): "element [0, 2]".
std::string element_at(const std::string& index);

// Arguments refused: one that is not a number (`shown` is its repr, or the array's
// dtype through array_of), shapes that do not broadcast together, more dimensions than
// numpy gives an array, a value that no float holds.
std::string not_a_number(std::string_view argument, const std::string& shown);
std::string array_of(const std::string& dtype);
std::string shapes_do_not_broadcast(std::span<const char* const> arguments, const std::string& shapes);
std::string_view too_many_dimensions();
std::string_view value_beyond_a_float();

// The units argument naming no units, as --units is refused: `shown` is its repr; the
// same for the angles argument, as --angles is.
std::string units_unknown(const std::string& shown);
std::string angles_unknown(const std::string& shown);

// A run whose arrays take more than the machine's memory, before anything is allocated.
std::string sweep_beyond_memory(std::int32_t rows, std::uint64_t needed, std::uint64_t memory);

// A file not written for a reason of the program's own, with the name as given.
std::string cannot_write(const std::string& name, const std::string& reason);

// The result file refused under standard output's name ("-"), or under a workbook's.
std::string_view text_to_standard_output();
std::string text_under_workbook_name(const std::string& name);

// A run as Python shows it: the six values as given by repr ("30.0"), its units, rows
// and warnings. "<zelm_fs.Sweep phi=30.0 ... fs=1.5 units='tonnes': 20 rows, 0 warnings>"
std::string sweep_repr(const std::array<std::string, 6>& values, Units units, std::size_t rows,
                       std::size_t warnings);

}  // namespace zelm
