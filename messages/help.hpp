// What --help and --version print, in words: the parser lays the help out, these are
// its texts.
#pragma once

#include "messages/options.hpp"

#include <array>
#include <string>
#include <string_view>

namespace zelm {

// What the program does, above the usage lines.
inline constexpr std::string_view help_description =
    "Slope angles of a talus from design chart 1 (\"ABAC 1\"): for every height H from\n"
    "one STEP up to the talus height, the slope angle at which the slope reaches the\n"
    "factor of safety FS. With no values, asks for them at the console; with all six,\n"
    "asks nothing and prints nothing on standard output.\n";

// The usage lines: the six values as one group, all of them or none; the check's values
// apart.
inline constexpr std::string_view usage_lines =
    "Usage: zelm-fs [OPTIONS] [PHI C D H STEP FS]\n"
    "       zelm-fs --check PHI C D H ANGLE [H2 ANGLE2 ...]\n"
    "       zelm-fs --bishop [--ru R | --water X] [--crack DEPTH [--wet-crack]]\n"
    "                        [--kh K] [--critical-kh] PHI C D H ANGLE [H2 ANGLE2 ...]\n";

// The heading of the values, and what each of the six is (PHI to FS). What an option
// does is said beside its names (messages/options.hpp).
inline constexpr std::string_view values_heading =
    "Values (numbers written with a decimal point: 2.5, -20, 1e3)";
inline constexpr std::array<std::string_view, value_names.size()> values_described{
    "friction angle, degrees",
    "cohesion C', Tn/m2 (kPa with --units si)",
    "density d, Tn/m3 (unit weight, kN/m3, with --units si)",
    "height of the talus, m",
    "height step (the definition), m",
    "factor of safety to reach"};

// The lines after the options: the result file, the check and the exit statuses; the x
// that chart 1 covers come from the chart itself.
std::string help_footer();

// Where the notices of the code of others are for a program run in the folder it was
// built in: its build's own copy, and where the installed program finds them.
std::string notices_of_this_build(std::string_view built, std::string_view installed);

// The version, and where the notices of the code of others it holds are.
std::string version_text(std::string_view version, std::string_view notices);

}  // namespace zelm
