// zelm-fs: slope angles of a talus from design chart 1, for every height step, written
// to a result file and, on request, to a workbook with the curve they draw.
#include "console/command_line.hpp"
#include "console/dialogue.hpp"
#include "files/file_names.hpp"
#include "files/interruption.hpp"
#include "messages/diagnostic.hpp"
#include "result/text_file.hpp"
#include "result/workbook.hpp"
#include "sweep/warnings.hpp"

#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace {

using namespace zelm;

// Every file the run will write can be created where it goes: told before a value is
// asked for, not after all six.
bool folders_take_files(const Request& request) {
    std::vector<std::filesystem::path> files;
    if (!request.output.standard_output) {
        files.push_back(request.output.file);
    }
    if (request.workbook) {
        files.push_back(*request.workbook);
    }
    for (const std::filesystem::path& file : files) {
        if (const auto refused = check_folder(file)) {
            say(std::cerr,
                "cannot write " + narrow_name(file) + ": " + refused->reason + "; no file was written.");
            return false;
        }
    }
    return true;
}

// The banner and the six prompts, on `console`; nothing, with the reason on standard
// error, when the values could not be read.
std::optional<ChartInputs> ask_at_console(std::ostream& console) {
    print_banner(console);
    const auto entered = read_inputs(std::cin, console);
    if (!console) {
        if (&console == &std::cout) {  // standard error, with -o -, is where the reason would go
            say(std::cerr, "cannot write to standard output; no result file was written.");
        }
        return std::nullopt;
    }
    if (!entered) {
        say(std::cerr, "the input ended before all six values were read; no result file was written.");
    }
    return entered;
}

// The result file, then the workbook when asked for: each is complete and new, or
// untouched, whatever becomes of the other. Then what the run should tell.
ExitStatus write_results(const Request& request, const ChartInputs& entered) {
    ExitStatus status = ExitStatus::written;
    const TextFileReport text = write_result_file(request.output, entered);
    if (text.failure) {
        say(std::cerr, request.output.standard_output
                           ? "cannot write the result to standard output: " + text.failure->reason + "."
                           : "cannot write " + narrow_name(request.output.file) + ": " +
                                 text.failure->reason + "; any earlier result file is unchanged.");
        status = ExitStatus::not_written;
    }
    if (request.workbook) {
        if (const auto failure = write_workbook(*request.workbook, entered)) {
            say(std::cerr, "cannot write " + narrow_name(*request.workbook) + ": " + failure->reason +
                               "; any earlier workbook is unchanged.");
            status = ExitStatus::not_written;
        }
    }
    if (!text.failure) {
        for (const std::string& warning : warnings(entered, text.sweep)) {
            warn(std::cerr, warning);
        }
    }
    return status;
}

}  // namespace

int main(int argc, char* argv[]) try {
    end_cleanly_when_stopped();
    const auto command = read_command_line(argc, argv, std::cout, std::cerr);
    if (const ExitStatus* answered = std::get_if<ExitStatus>(&command)) {
        return static_cast<int>(*answered);
    }
    const Request& request = std::get<Request>(command);
    if (!folders_take_files(request)) {
        return static_cast<int>(ExitStatus::not_written);
    }
    // With the result file on standard output, the dialogue speaks on standard error.
    const auto entered = request.values
                             ? request.values
                             : ask_at_console(request.output.standard_output ? std::cerr : std::cout);
    if (!entered) {
        return static_cast<int>(ExitStatus::not_written);
    }
    return static_cast<int>(write_results(request, *entered));
} catch (const std::exception& error) {  // out of memory, or a file system that fails oddly
    say(std::cerr, error.what());
    return static_cast<int>(ExitStatus::not_written);
}
