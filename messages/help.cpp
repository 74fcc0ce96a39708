#include "messages/help.hpp"

#include "chart/design_chart.hpp"
#include "numbers/writing.hpp"
#include "sweep/bishop_columns.hpp"

namespace zelm {

namespace {

// What --bishop answers, what the method assumes, and the workbook's columns of it.
std::string bishop_help() {
    return std::string(
        "--bishop: the factor of safety of the same slopes by Bishop's simplified method\n"
        "of slices, on the critical circle searched for: circles that enter the crest and\n"
        "leave the ground at the toe or beyond it, down to 3 heights below the toe. The\n"
        "method takes the slope homogeneous and dry, with no load on the crest, the slip\n"
        "surface circular and the forces between slices horizontal (their shear\n"
        "neglected). The line gives FS rounded down to three decimals, then the circle\n"
        "in metres from the toe, x horizontal and positive into the slope (the toe\n"
        "ground lies at x below 0), y up: its centre, its radius, where it enters the\n"
        "crest and where it leaves the ground (x = 0.00 at the toe). zelm-fs --units si\n"
        "--bishop 19.6 3 20 10 26.565 says\n"
        "H 10 m at 26.565 degrees: FS 0.985 (Bishop's method; critical circle, in m from\n"
        "the toe: centre x = -0.47, y = 28.65, radius 28.65, entering the crest at\n"
        "x = 21.28, leaving the ground at x = 0.00); below 1, the slope is expected to\n"
        "fail\n"
        "The line adds where the FS is below 1, and how deep under the crest the slices\n"
        "are in tension, if they are: a tension crack there would lower the FS (whether\n"
        "to reckon with one is the engineer's call). Where the method gives no factor\n"
        "of safety (m_alpha below 0.2 on the critical circle, no settling, no slip\n"
        "circle), the line says why instead. With -w, the workbook gives, for each row,\n"
        "Bishop's FS of the printed angle and the steepest whole degree that reaches\n"
        "FS by the method at that height (about 0.2 ms a row).\n");
}

}  // namespace

std::string help_footer() {
    const auto [first, last] = fitted_x_range(design_chart());
    return "The result file is tab-separated text (Windows-1252, CR LF, decimal commas):\n"
           "the values entered, then for every height H, x = tan(phi)/FS and\n"
           "y = C'/(d*H*tan(phi)) on the chart's two-decimal grid, and the slope angle in\n"
           "whole degrees; 90 means the slope stands vertical at that height. Chart 1 gives\n"
           "angles for x from " +
           fixed(first, 2) + " to " + fixed(last, 2) +
           "; beyond, a cell is empty (or 90 where the\n"
           "chart holds only the vertical slope) and a warning gives the factors of safety\n"
           "the chart answers for the friction angle. With no cohesion, a warning gives the\n"
           "exact angle where the chart reads steeper. Any consistent units give the same\n"
           "angles (C' in kPa with d in kN/m3), since y is a ratio. For a workbook use -w;\n"
           "-o names the text file, never an .xlsx.\n"
           "\n"
           "The file rounds the chart's angle to a whole degree (84.75 prints 85), so it\n"
           "can be steeper than the chart's, and where chart 1's rows cross, its check can\n"
           "answer less than FS. The confirmed angle, in the workbook beside the angle, is\n"
           "the steepest whole degree whose --check reaches FS; a warning names the heights\n"
           "whose printed angle checks more than 3% below FS.\n"
           "\n"
           "--check: the factor of safety chart 1 gives a slope that stands, H high at ANGLE\n"
           "degrees. The chart tells FS no finer than its rows (x = tan(phi)/FS to 0.01):\n"
           "the answer is the range of FS that reads one row, any FS in it reading the same\n"
           "angle; going up in FS, the last row whose angle the slope does not exceed (the\n"
           "safe side where the chart is not monotone). zelm-fs --check 30 2 2.5 20 35 says\n"
           "H 20 m at 35 degrees: FS 1.33 to 1.35 (chart 1, x = 0.43)\n"
           "The line adds where the FS is below 1, where chart 1's rows cross (the FS up to\n"
           "which a design run prints the angle), and with no cohesion gives the exact FS\n"
           "of a dry slope first where it is below the chart's.\n"
           "\n" +
           bishop_help() +
           "\n"
           "Exit status: 0 written or checked (warnings, if any, on standard error); 1 a\n"
           "file could not be written or the input ended early (an earlier file is kept);\n"
           "2 the command line is wrong, or with --check or --bishop a value describes no\n"
           "slope.\n"
           "Example: zelm-fs -o slope.xls 30 2 2.5 20 1 1.5";
}

std::string notices_of_this_build(std::string_view built, std::string_view installed) {
    return std::string(built) + " (this build's; installed, " + std::string(installed) + ")";
}

std::string version_text(std::string_view version, std::string_view notices) {
    return "zelm-fs " + std::string(version) +
           "\nCopyright the zelm-fs authors. No licence has been granted yet."
           "\nIt holds code of others, each part listed with its copyright and licence in\n" +
           std::string(notices) + "\n";
}

}  // namespace zelm
