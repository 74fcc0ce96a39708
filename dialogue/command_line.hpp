// The command line: the six values as arguments, or none for the console dialogue;
// where the result file goes; whether a workbook goes with it.
#pragma once

#include "sweep/chart_inputs.hpp"

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <variant>

namespace zelm {

struct Request {
    std::optional<ChartInputs> values;              // nothing: ask for them at the console
    std::filesystem::path output;                   // the result file
    std::optional<std::filesystem::path> workbook;  // the result file's name ending in .xlsx
};

// Exit statuses of the program.
inline constexpr int exit_written = 0;      // every file asked for was written
inline constexpr int exit_not_written = 1;  // a file could not be written, or the input ended early
inline constexpr int exit_usage = 2;        // the command line is wrong

// What the command line asks for. Answered already, with the exit status, after
// --help or --version (printed on out) and for a wrong command line (one line on err).
std::variant<Request, int> read_command_line(int argc, const char* const* argv, std::ostream& out,
                                             std::ostream& err);

}  // namespace zelm
