// The command line's options and values, each named here once: the parser declares the
// options under these names and with what they do, and the help and the usage errors
// say them.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zelm {

enum class Option {
    help,
    version,
    output,
    workbook,
    units,
    angles,
    check,
    bishop,
    // What a slope answered by Bishop's method stands under besides its weight.
    ru,
    water,
    crack,
    wet_crack,
    kh,
    critical_kh,
    // The material's uncertainty, for the workbook's columns of the probability of failure.
    phi_sd,
    c_sd,
    draws,
    seed,
};

// Every option, in the order the help lists them.
inline constexpr std::array<Option, 18> all_options{
    Option::help,  Option::version,     Option::output, Option::workbook, Option::units, Option::angles,
    Option::check, Option::bishop,      Option::ru,     Option::water,    Option::crack, Option::wet_crack,
    Option::kh,    Option::critical_kh, Option::phi_sd, Option::c_sd,     Option::draws, Option::seed};

struct OptionName {
    std::string_view letter;  // the short form, "-o"; empty where there is none
    std::string_view name;    // the long form, "--output"
    std::string_view takes;   // what follows it, as the help shows it ("FILE"); empty for a flag
    std::string_view does;    // what it does, as the help says it beside its names
};

// Each option's names, what it takes and what it does, in the order of Option.
inline constexpr std::array<OptionName, all_options.size()> option_names{{
    {"-h", "--help", "", "show this help and exit"},
    {"", "--version", "", "show the version and exit"},
    {"-o", "--output", "FILE",
     "result file, or - for standard output\n"
     "(default: ZELM_FS_result.xls in the current folder)"},
    {"-w", "--workbook", "",
     "also write a workbook, FILE with .xlsx in place of its\n"
     "extension: the table as numbers and its chart"},
    {"", "--units", "NAME",
     "units of C and D: tonnes (Tn/m2, Tn/m3, the default)\n"
     "or si (kPa, kN/m3), D then the unit weight;\n"
     "the angles are the same in both, and a D that no\n"
     "soil has in the units given is warned of"},
    {"", "--angles", "NAME",
     "the angles the result file holds: chart\n"
     "(the chart's, rounded to whole degrees; the default)\n"
     "or confirmed (the steepest whole degree whose\n"
     "--check reaches FS) or bishop (whose FS by Bishop's\n"
     "method reaches FS, under the options below)"},
    {"", "--check", "",
     "check slopes that stand: the factor of safety chart 1\n"
     "gives a slope H high at ANGLE degrees, one line each"},
    {"", "--bishop", "",
     "the same slopes by Bishop's simplified method of slices:\n"
     "the factor of safety and the critical circle, one line\n"
     "each; dry and static unless the options below say otherwise"},
    {"", "--ru", "R",
     "for --bishop and the workbook's Bishop columns: pore\n"
     "pressure a share R of the weight of the soil above each\n"
     "slice's base (u = R D h), 0 to below 1"},
    {"", "--water", "X|NH|surface",
     "the same: a water table straight from the toe to the\n"
     "ground X m behind it (or N heights: 4H), along the ground\n"
     "beyond; surface: saturated to the ground. The head under\n"
     "it hydrostatic, one unit weight above and below it, water\n"
     "1 Tn/m3 or 9.81 kN/m3"},
    {"", "--crack", "DEPTH|auto",
     "the same: a vertical tension crack DEPTH m deep behind\n"
     "the crest, where the slip circle ends; auto: as deep as the\n"
     "soil under the crest is in tension"},
    {"", "--wet-crack", "", "with --crack: the crack full of water, pushing the mass"},
    {"", "--kh", "K",
     "the same: a horizontal seismic coefficient, K times\n"
     "each slice's weight out of the slope (pseudo-static)"},
    {"", "--critical-kh", "",
     "with --bishop: also the seismic coefficient at which\n"
     "the factor of safety falls to 1"},
    {"", "--phi-sd", "SD",
     "with -w: two more columns, each row's probability of\n"
     "failure (FS below 1 by Bishop's method, the row's slope\n"
     "under the options above) and its upper 95% bound, the\n"
     "friction angle drawn normal, mean PHI, sd SD degrees"},
    {"", "--c-sd", "SD",
     "the same, the cohesion drawn lognormal, mean C, sd SD in\n"
     "C's units (normal where C is 0)"},
    {"", "--draws", "N", "with --phi-sd or --c-sd: the draws, 1 to 1000000\n(default 1000)"},
    {"", "--seed", "S",
     "with --phi-sd or --c-sd: the seed of the draws, a whole\n"
     "number from 0 to 2^64-1 (default 1): the same seed draws\n"
     "the same materials"},
}};

constexpr OptionName name_of(Option option) { return option_names.at(static_cast<std::size_t>(option)); }

// The option a word names, by its long form or its letter: "--output", "-o".
constexpr std::optional<Option> option_named(std::string_view word) {
    for (const Option option : all_options) {
        if (!word.empty() && (word == name_of(option).name || word == name_of(option).letter)) {
            return option;
        }
    }
    return std::nullopt;
}

// The result file where no -o names another, in the current folder.
inline constexpr std::string_view default_result_file = "ZELM_FS_result.xls";

// The six values of a design run, in the order they are given and asked for.
inline constexpr std::array<std::string_view, 6> value_names{"PHI", "C", "D", "H", "STEP", "FS"};

// The name of the i-th value after --check or --bishop (from 0): PHI, C, D, then H and
// ANGLE for the first slope, H2 and ANGLE2 for the second, and so on.
inline std::string check_value_name(std::size_t i) {
    if (i < 3) {
        return std::string(value_names.at(i));
    }
    const std::size_t slope = (i - 3) / 2 + 1;
    return std::string((i - 3) % 2 == 0 ? "H" : "ANGLE") + (slope > 1 ? std::to_string(slope) : "");
}

}  // namespace zelm
