#include "messages/python.hpp"

#include "messages/files.hpp"
#include "messages/units.hpp"
#include "numbers/writing.hpp"

namespace zelm {
namespace {

// The chart's name opening a sentence: "Chart 1".
std::string chart_opening(const DesignChart& chart) {
    std::string name(chart.name);
    if (!name.empty() && name.front() >= 'a' && name.front() <= 'z') {
        name.front() = static_cast<char>(name.front() - 'a' + 'A');
    }
    return name;
}

// A choice of units as an error names it: "'si' (kPa, kN/m3)".
std::string units_told(const UnitLabels& labels) {
    return "'" + std::string(labels.option) + "' (" + std::string(labels.stress) + ", " +
           std::string(labels.unit_weight) + ")";
}

std::string sweep_class_doc(const DesignChart& chart) {
    const std::string name(chart.name);
    return "One run of the calculator, as zelm_fs.sweep() makes it.\n"
           "\n"
           "The rows are numpy float32 arrays, one element per height, read-only:\n"
           "  height  the height of each row, the step added up in single precision as the\n"
           "          program adds it (29 steps of 0.1 give 2.8999994, printed 2,90)\n"
           "  x       tan(phi)/FS on the chart's two-decimal grid, the same on every row\n"
           "  y       C'/(d*H*tan(phi)) on the same grid (inf or NaN where the file's cell is empty)\n"
           "  angle   " +
           name +
           "'s slope angle in degrees, as computed; the file prints it in whole\n"
           "          degrees; NaN where the file's angle cell is empty\n"
           "  confirmed_angle\n"
           "          the steepest whole degree b such that every chart row from x = 0.80 down to\n"
           "          the run's x reads an angle of at least b at the row's y: the check of a slope\n"
           "          at b (factor_of_safety) reaches the run's FS. It can be below the angle the\n"
           "          file prints, which is rounded and, where " +
           name +
           "'s rows cross, checks short.\n"
           "          NaN where there is none (x beyond 0.20 to 0.80, or no angle)\n"
           "warnings holds the program's warning sentences for the run, values the six values\n"
           "as the program read them (floats), units the units the cohesion and the density\n"
           "were given in, angles the angles write() puts in the file's angle column, and len()\n"
           "the number of rows.";
}

}  // namespace

PythonDocs python_docs(const DesignChart& chart) {
    return {
        "The calculator's core, as the zelm_fs package uses it.",
        sweep_class_doc(chart),
        "Height of each row, m (float32).",
        "x = tan(phi)/FS of each row, on the two-decimal grid (float32).",
        "y = C'/(d*H*tan(phi)) of each row, on the two-decimal grid (float32).",
        "Slope angle of each row, degrees (float32); NaN where the file's cell is empty.",
        "Confirmed angle of each row, whole degrees (float32); NaN where there is none.",
        "The program's warnings for this run, one sentence each.",
        "The six values as the program read them: (phi, cohesion, density, height, step, fs).",
        "The units the cohesion and the density (a unit weight in kN/m3) were given in, which the files' "
        "labels follow: " +
            units_told(tonne_labels) + " or " + units_told(si_labels) + ".",
        "The angles the result file's angle column holds: '" + std::string(chart_angles_option) +
            "' (the chart's, rounded to whole degrees) or '" + std::string(confirmed_angles_option) +
            "' (the confirmed ones).",
        "Write the result file at path, the very bytes the program writes for these values.\n"
        "\n"
        "The file is written beside path and moved over it once complete; an earlier file there is\n"
        "kept when it cannot be written, which raises OSError with the errno and the name. The file\n"
        "is text: a name ending in .xlsx (a workbook's), and \"-\" (standard output's on the command\n"
        "line), raise ValueError.",
        "Write the program's workbook (.xlsx) at path, as write() writes the result file.\n"
        "\n"
        "A run with more rows than a sheet holds (1048568 under the header) gets no workbook: OSError.",
        "One run: see zelm_fs.sweep.",
        chart_opening(chart) + "'s slope angles over arrays, and a warning or None: see zelm_fs.slope_angle.",
        "The confirmed angles over arrays, and a warning or None: see zelm_fs.confirmed_angle.",
        "The factor of safety of standing slopes, and a warning or None: see zelm_fs.factor_of_safety.",
        "Bishop's factor of safety of standing slopes and their critical circles, and a warning or None: "
        "see zelm_fs.bishop_factor_of_safety.",
    };
}

std::string elements_unanswered(NoAnswer kind, const DesignChart& chart, std::size_t count,
                                std::size_t elements, const std::string& first, const std::string& why) {
    const bool one = count == 1;
    const std::string name(chart.name);
    std::string told;
    switch (kind) {
        case NoAnswer::no_slope:
        case NoAnswer::no_slope_at_both_ends:
            told = (one ? "describes no slope " : "describe no slope ") + name +
                   (one ? " can be read for, and is NaN" : " can be read for, and are NaN") +
                   (kind == NoAnswer::no_slope_at_both_ends ? " at both ends" : "");
            break;
        case NoAnswer::no_slope_angle:
        case NoAnswer::no_confirmed_angle:
            told = (one ? "has no " : "have no ") +
                   std::string(kind == NoAnswer::no_slope_angle ? "slope" : "confirmed") + " angle on " +
                   name + (one ? ", and is NaN" : ", and are NaN");
            break;
        case NoAnswer::beyond_the_chart:
            told = (one ? "lies beyond " : "lie beyond ") + name +
                   (one ? ", and is NaN at one end" : ", and are NaN at one end");
            break;
        case NoAnswer::no_bishop_slope:
            told = one ? "describes no slope, and is NaN" : "describe no slope, and are NaN";
            break;
        case NoAnswer::bishop_fails:
            told = std::string(one ? "has" : "have") + " no factor of safety by Bishop's method, and " +
                   (one ? "is NaN" : "are NaN");
            break;
        case NoAnswer::fs_below_one:
            told = one ? "has a factor of safety below 1" : "have a factor of safety below 1";
            break;
        case NoAnswer::unit_weight:
            told = one ? "weighs what no soil or rock does" : "weigh what no soil or rock does";
            break;
    }
    const std::string named = first.empty() ? "" : " (" + first + ")";
    return std::to_string(count) + " of " + std::to_string(elements) +
           (elements == 1 ? " element " : " elements ") + told + (one ? named : "; the first" + named) +
           ": " + why + (why.ends_with('.') ? "" : ".");
}

std::string element_at(const std::string& index) { return "element [" + index + "]"; }

std::string not_a_number(std::string_view argument, const std::string& shown) {
    return std::string(argument) + ": " + shown + " is not a number";
}

std::string array_of(const std::string& dtype) { return "an array of " + dtype; }

std::string shapes_do_not_broadcast(std::span<const char* const> arguments, const std::string& shapes) {
    std::string listed;  // "a, b, c, d and e"
    for (std::size_t k = 0; k < arguments.size(); ++k) {
        listed.append(k == 0 ? "" : k + 1 == arguments.size() ? " and " : ", ").append(arguments[k]);
    }
    return listed + " do not broadcast together: shapes " + shapes;
}

std::string_view too_many_dimensions() { return "the arrays have more dimensions than numpy gives an array"; }

std::string_view value_beyond_a_float() { return "a value is one that a float cannot hold"; }

std::string units_unknown(const std::string& shown) {
    return "units: " + shown + " names no units: give " + units_told(tonne_labels) + " or " +
           units_told(si_labels);
}

std::string angles_unknown(const std::string& shown) {
    return "angles: " + shown + " names no angles: give '" + std::string(chart_angles_option) +
           "' (the chart's, rounded to whole degrees) or '" + std::string(confirmed_angles_option) +
           "' (the steepest whole degree whose check reaches FS)";
}

std::string sweep_beyond_memory(std::int32_t rows, std::uint64_t needed, std::uint64_t memory) {
    const auto gigabytes = [](std::uint64_t bytes) {
        return fixed(static_cast<float>(static_cast<double>(bytes) / 1e9), 1) + " GB";
    };
    return "the sweep has " + std::to_string(rows) + " rows, whose arrays take " + gigabytes(needed) +
           ", more than the " + gigabytes(memory) +
           " of memory of this machine; a larger step gives fewer rows";
}

std::string cannot_write(const std::string& name, const std::string& reason) {
    return "cannot write " + name + ": " + reason;
}

std::string_view text_to_standard_output() {
    return "path: '-' is the command line's name for standard output, not a file's name";
}

std::string text_under_workbook_name(const std::string& name) {
    return "path: " + text_under_a_workbook_name(name) + ": write_workbook() writes the workbook";
}

std::string sweep_repr(const std::array<std::string, 6>& values, Units units, std::size_t rows,
                       std::size_t warnings) {
    static constexpr std::array<std::string_view, 6> names{"phi",    "cohesion", "density",
                                                           "height", "step",     "fs"};
    std::string shown = "<zelm_fs.Sweep";
    for (std::size_t i = 0; i < names.size(); ++i) {
        shown.append(" ").append(names[i]).append("=").append(values[i]);
    }
    return shown + " units='" + std::string(labels_of(units).option) + "': " + std::to_string(rows) +
           " rows, " + std::to_string(warnings) + " warnings>";
}

}  // namespace zelm
