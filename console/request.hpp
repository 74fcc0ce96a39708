// What the command line asks for: the six values as arguments, or none for the console
// dialogue; where the result file goes; whether a workbook goes with it; the units the
// values are in. Or, with --check, the slopes that already stand whose factor of safety
// the design chart is asked for; with --bishop, the same slopes answered by Bishop's
// simplified method of slices.
#pragma once

#include "console/command_line.hpp"
#include "console/conditions.hpp"
#include "files/target.hpp"
#include "messages/usage.hpp"
#include "slices/bishop.hpp"
#include "sweep/chart_inputs.hpp"
#include "sweep/check.hpp"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace zelm {

struct Request {
    std::optional<ChartInputs> values;  // nothing: ask for them at the console
    Units units = Units::tonnes;        // the units of the values, given or asked for
    Angles angles = Angles::chart;      // which the result file's angle column holds
    Target output{};                    // the result file, or standard output
    std::optional<Target> workbook{};   // the result file's name ending in .xlsx
    // What the slope stands under for Bishop's columns of the workbook, as given.
    GivenConditions conditions{};
    // How uncertain the material is, where the workbook is asked for the probability of
    // failure.
    std::optional<MaterialUncertainty> uncertainty{};
};

// --check PHI C D H ANGLE [H2 ANGLE2 ...]: one material, and the height and the angle of
// each slope (the benches of a profile, say), in the order given.
struct SlopeChecks {
    std::vector<SlopeToCheck> slopes;
    Units units = Units::tonnes;
};

// --bishop PHI C D H ANGLE [H2 ANGLE2 ...]: the values read as --check reads them, and
// what every slope stands under besides its weight.
struct BishopChecks {
    std::vector<SlopeToCheck> slopes;
    Units units = Units::tonnes;
    GivenConditions given{};
};

// A parsed command line's request: its values read as the console reads them, then its
// files found where they go.
std::variant<Request, SlopeChecks, BishopChecks, UsageError> request_of(const CommandLine& line);

// Both steps, parsing and reading, from the command line's words.
std::variant<Request, SlopeChecks, BishopChecks, Shown, UsageError> read_command_line(
    const std::vector<std::string>& words);

// Every slope's answer, each computed once, in the order given; or, for the first slope
// whose values describe none, the usage error that names the value: a script never gets
// a line that means nothing.
std::variant<std::vector<CheckAnswer>, UsageError> answers_of(const SlopeChecks& checks);

// The same by Bishop's method: each slope's critical circle searched once, in the order
// given; or the usage error for the first slope whose values the method refuses. A slope
// where the method finds no factor of safety is answered all the same, with its reason.
std::variant<std::vector<BishopResult>, UsageError> answers_of(const BishopChecks& checks);

}  // namespace zelm
