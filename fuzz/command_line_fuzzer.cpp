// libFuzzer harness: arbitrary arguments, separated by NUL bytes, on the command line.
// A usage error, from reading it or from answering its slopes, is told in exactly one
// line, whatever the arguments hold; every slope it lets through gets an answer of
// chart 1.
#include "console/request.hpp"
#include "messages/checks.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream arguments(std::string(reinterpret_cast<const char*>(data), size));
    std::vector<std::string> words;
    for (std::string word; std::getline(arguments, word, '\0');) {
        words.push_back(word);
    }
    const auto command = zelm::read_command_line(words);
    const auto* checks = std::get_if<zelm::SlopeChecks>(&command);
    const auto answers =
        checks != nullptr ? zelm::answers_of(*checks) : decltype(zelm::answers_of(*checks)){};
    const auto* wrong =
        checks != nullptr ? std::get_if<zelm::UsageError>(&answers) : std::get_if<zelm::UsageError>(&command);
    const std::string told = wrong != nullptr ? zelm::usage_line(*wrong) : " (see zelm-fs --help)";
    bool sound = told.find_first_of("\r\n") == std::string::npos && told.ends_with(" (see zelm-fs --help)");
    for (std::size_t i = 0; wrong == nullptr && checks != nullptr && i < checks->slopes.size(); ++i) {
        sound = sound && zelm::check_line(checks->slopes[i], std::get<0>(answers)[i]).starts_with("FS ");
    }
    if (!sound) {
        std::abort();
    }
    return 0;
}
