// libFuzzer harness: arbitrary arguments, separated by NUL bytes, on the command line.
// Every one must be answered: a request, or an exit status with its output.
#include "dialogue/command_line.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> words{"zelm-fs"};
    std::string word;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            words.push_back(word);
            word.clear();
        } else {
            word += static_cast<char>(data[i]);
        }
    }
    words.push_back(word);
    std::vector<const char*> argv;
    for (const std::string& w : words) {
        argv.push_back(w.c_str());
    }
    std::ostringstream out;
    std::ostringstream err;
    const auto answer = zelm::read_command_line(static_cast<int>(argv.size()), argv.data(), out, err);
    const int* status = std::get_if<int>(&answer);
    // A usage error says why in one line; help and version say nothing on standard error.
    const std::string why = err.str();
    const bool one_line = !why.empty() && why.find('\n') == why.size() - 1;
    if (status != nullptr && (*status == zelm::exit_usage ? !one_line : !why.empty())) {
        std::abort();
    }
    return 0;
}
