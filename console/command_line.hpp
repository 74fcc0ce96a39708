// The command line: the six values as arguments, or none for the console dialogue;
// where the result file goes; whether a workbook goes with it. Or, with --check, the
// slopes that already stand whose factor of safety chart 1 is asked for.
#pragma once

#include "files/target.hpp"
#include "messages/exit_status.hpp"
#include "sweep/chart_inputs.hpp"
#include "sweep/check.hpp"

#include <iosfwd>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace zelm {

// The result file where no -o names another, in the current folder.
inline constexpr const char* default_result_file = "ZELM_FS_result.xls";

struct Request {
    std::optional<ChartInputs> values;  // nothing: ask for them at the console
    Target output;                      // the result file, or standard output
    std::optional<Target> workbook;     // the result file's name ending in .xlsx
};

// --check PHI C D H ANGLE [H2 ANGLE2 ...]: one material, and the height and the angle of
// each slope (the benches of a profile, say), in the order given.
struct SlopeChecks {
    std::vector<SlopeToCheck> slopes;
};

// What the command line asks for (arguments in UTF-8, as Windows gives them to this
// program too: see console/utf8.manifest). Answered already, with the exit status, after
// --help or --version (printed on out) and for a wrong command line (one line on err,
// in the program's own words, naming the argument).
std::variant<Request, SlopeChecks, ExitStatus> read_command_line(int argc, const char* const* argv,
                                                                 std::ostream& out, std::ostream& err);

// A wrong command line told in one line on err, with the pointer to --help.
ExitStatus usage_error(std::ostream& err, std::string what);

}  // namespace zelm
