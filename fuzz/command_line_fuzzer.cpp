// libFuzzer harness: arbitrary arguments, separated by NUL bytes, on the command line.
// A usage error, from reading it or from answering its slopes, is told in exactly one
// line, whatever the arguments hold; every slope it lets through gets an answer: of the
// chart for --check, of Bishop's method (a factor of safety, or why there is none) for
// --bishop.
#include "console/request.hpp"
#include "messages/render.hpp"
#include "sweep/bishop_answer.hpp"
#include "sweep/check_answer.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

namespace {

bool told_in_one_line(const zelm::UsageError& wrong) {
    const std::string told = zelm::usage_line(wrong);
    return told.find_first_of("\r\n") == std::string::npos && told.ends_with(" (see zelm-fs --help)");
}

// Whether every slope's line is an answer, or the one usage error is told in one line.
template <typename Checks, typename IsAnswer>
bool answered(const Checks& checks, IsAnswer&& is_answer) {
    const auto answers = zelm::answers_of(checks);
    if (const auto* wrong = std::get_if<zelm::UsageError>(&answers)) {
        return told_in_one_line(*wrong);
    }
    bool sound = true;
    for (std::size_t i = 0; i < checks.slopes.size(); ++i) {
        sound = sound && is_answer(checks.slopes[i], std::get<0>(answers)[i]);
    }
    return sound;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream arguments(std::string(reinterpret_cast<const char*>(data), size));
    std::vector<std::string> words;
    for (std::string word; std::getline(arguments, word, '\0');) {
        words.push_back(word);
    }
    const auto command = zelm::read_command_line(words);
    const bool sound = std::visit(
        [](const auto& asked) {
            using Asked = std::decay_t<decltype(asked)>;
            if constexpr (std::is_same_v<Asked, zelm::UsageError>) {
                return told_in_one_line(asked);
            } else if constexpr (std::is_same_v<Asked, zelm::SlopeChecks>) {
                return answered(asked, [](const auto& slope, const auto& answer) {
                    return zelm::render(zelm::check_line(slope, answer)).starts_with("FS ");
                });
            } else if constexpr (std::is_same_v<Asked, zelm::BishopChecks>) {
                return answered(asked, [](const auto& slope, const auto& answer) {
                    const std::string said = zelm::render(zelm::bishop_line(slope, answer));
                    return said.starts_with("FS ") || said.starts_with("Bishop's method does not apply: ");
                });
            }
            return true;
        },
        command);
    if (!sound) {
        std::abort();
    }
    return 0;
}
