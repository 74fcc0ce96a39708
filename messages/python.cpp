#include "messages/python.hpp"

#include "messages/units.hpp"

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
        "The steepest whole degree reaching a factor of safety by Bishop's method, over arrays, and a "
        "warning or None: see zelm_fs.bishop_angle.",
        "Bishop's factor of safety of draws of one slope's material, each searched from the nominal "
        "slope's critical circle, and a warning or None: see zelm_fs.probability_of_failure.",
        "What a study of the probability of failure says when refused or left with draws unanswered.",
        "The draws of one block of a study: phi, C' and d, each block's own whichever process draws it.",
        "What a study's factors of safety say together: the probability of failure, its bounds, the FS's "
        "spread.",
    };
}

}  // namespace zelm
