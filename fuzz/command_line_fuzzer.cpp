// libFuzzer harness: arbitrary arguments, separated by NUL bytes, on the command line.
// Each command line gets a request, slopes to check or an exit status, and a usage error
// is told in exactly one line of the program's own on standard error, whatever the
// arguments hold. Every slope the command line lets through gets an answer of chart 1.
#include "console/command_line.hpp"
#include "messages/checks.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> words{"zelm-fs", ""};
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            words.emplace_back();
        } else {
            words.back().push_back(static_cast<char>(data[i]));
        }
    }
    std::vector<const char*> argv;
    for (const std::string& word : words) {
        argv.push_back(word.c_str());
    }
    std::ostringstream out, err;
    const auto answer = zelm::read_command_line(static_cast<int>(argv.size()), argv.data(), out, err);
    const std::string why = err.str();
    const bool one_line = !why.empty() && why.find('\n') == why.size() - 1 && why.starts_with("zelm-fs: ") &&
                          why.ends_with(" (see zelm-fs --help)\n");
    const auto* status = std::get_if<zelm::ExitStatus>(&answer);
    if (status != nullptr && (*status == zelm::ExitStatus::usage ? !one_line : !why.empty())) {
        std::abort();
    }
    if (const auto* checks = std::get_if<zelm::SlopeChecks>(&answer)) {
        for (const zelm::SlopeToCheck& slope : checks->slopes) {
            const zelm::CheckAnswer checked = zelm::check_slope(slope);
            if (checked.verdict == zelm::Verdict::no_answer ||
                !zelm::check_line(slope, checked).starts_with("FS ")) {
                std::abort();
            }
        }
    }
    return 0;
}
