// zelm-fs: slope angles of a talus from design chart 1, for every height step, written
// to a result file and, on request, to a workbook with the curve they draw.
#include "dialogue/command_line.hpp"
#include "dialogue/dialogue.hpp"
#include "result/replace_file.hpp"
#include "result/text_file.hpp"
#include "result/workbook.hpp"

#include <array>
#include <charconv>
#include <csignal>
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <variant>

namespace {

std::string two_decimals(float value) {
    std::array<char, 64> text{};
    const auto end =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, 2);
    return {text.data(), end.ptr};
}

// The banner and the six prompts; nothing, with the reason on standard error, when the
// values could not be read.
std::optional<zelm::ChartInputs> ask_at_console() {
    zelm::print_banner(std::cout);
    const auto entered = zelm::read_inputs(std::cin, std::cout);
    if (!std::cout) {
        std::cerr << "zelm-fs: cannot write to standard output; no result file was written.\n";
        return std::nullopt;
    }
    if (!entered) {
        std::cerr
            << "zelm-fs: the input ended before all six values were read; no result file was written.\n";
    }
    return entered;
}

// The result file, then the workbook when asked for: each is complete and new, or
// untouched, whatever becomes of the other.
int write_results(const zelm::Request& request, const zelm::ChartInputs& entered) {
    int status = zelm::exit_written;
    const zelm::ResultFileReport report = zelm::write_result_file(request.output, entered);
    if (report.failure) {
        std::cerr << "zelm-fs: cannot write " << zelm::narrow_name(request.output) << ": " << *report.failure
                  << "; any earlier result file is unchanged.\n";
        status = zelm::exit_not_written;
    } else if (report.empty_angle_cells) {
        std::cerr << "zelm-fs: warning: chart 1 has no slope angle for x = tan(phi)/FS = "
                  << two_decimals(report.x) << "; those angle cells are empty.\n";
    }
    if (request.workbook) {
        if (const auto failure = zelm::write_workbook(*request.workbook, entered)) {
            std::cerr << "zelm-fs: cannot write " << zelm::narrow_name(*request.workbook) << ": " << *failure
                      << "; any earlier workbook is unchanged.\n";
            status = zelm::exit_not_written;
        }
    }
    return status;
}

}  // namespace

int main(int argc, char* argv[]) try {
#ifdef SIGPIPE
    // A closed pipe on standard output is reported as an error, not a silent death.
    (void)std::signal(SIGPIPE, SIG_IGN);
#endif
    const auto command = zelm::read_command_line(argc, argv, std::cout, std::cerr);
    if (const int* answered = std::get_if<int>(&command)) {
        return *answered;
    }
    const auto& request = std::get<zelm::Request>(command);
    const auto entered = request.values ? request.values : ask_at_console();
    if (!entered) {
        return zelm::exit_not_written;
    }
    return write_results(request, *entered);
} catch (const std::exception& error) {  // out of memory, or a file system that fails oddly
    std::cerr << "zelm-fs: " << error.what() << "\n";
    return zelm::exit_not_written;
}
