// The command line parsed: the options given, and the words of the values, nothing read
// yet. Parsing looks at no value and no file; console/request.hpp reads the rest. A wrong
// command line is told as a usage error, a diagnostic whose words are its template's.
#pragma once

#include "messages/usage.hpp"

#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace zelm {

struct CommandLine {
    std::vector<std::string> values;    // the words that are not options, in their order
    std::optional<std::string> output;  // the name after --output, when it is given
    bool workbook = false;
    bool check = false;
    bool bishop = false;
    std::optional<std::string> units;   // the name after --units, when it is given
    std::optional<std::string> angles;  // the name after --angles, when it is given
    // What a slope answered by Bishop's method stands under: the words after --ru,
    // --water, --crack and --kh, as given.
    std::optional<std::string> ru;
    std::optional<std::string> water;
    std::optional<std::string> crack;
    bool wet_crack = false;
    std::optional<std::string> kh;
    bool critical_kh = false;
    // The material's uncertainty for the workbook's probability of failure: the words
    // after --phi-sd, --c-sd, --draws and --seed, as given.
    std::optional<std::string> phi_sd;
    std::optional<std::string> c_sd;
    std::optional<std::string> draws;
    std::optional<std::string> seed;
};

// What --help or --version prints on standard output.
struct Shown {
    std::string text;
};

// A usage error told by its diagnostic: its id, its values, and the entry it concerns
// where it is a value.
inline UsageError usage_error(Said id, std::vector<Arg> args = {}, Field field = Field::none) {
    return {.said = {id, field, std::move(args)}};
}

// An option as a usage error names it, by its long form: "--output".
inline Text long_name(Option option) { return {std::string(name_of(option).name)}; }

// The command line's words, from the first after the program's name (in UTF-8, as Windows
// gives them to this program too: see console/utf8.manifest).
std::variant<CommandLine, Shown, UsageError> parse_command_line(const std::vector<std::string>& words);

}  // namespace zelm
