#include "console/dialogue.hpp"

#include "messages/entries.hpp"
#include "numbers/reading.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace zelm {
namespace {

struct Prompt {
    std::string_view text;
    float ChartInputs::*value;
};

// Prompt texts are the calculator's own, spacing and units included.
constexpr std::array<Prompt, 6> prompts{{
    {"\tFriction angle \t\t[degree] :", &ChartInputs::friction_angle},
    {"\n\tCohesion \t\t[Tn/m2]\t:", &ChartInputs::cohesion},
    {"\n\tDensity  \t\t[Tn/m3]\t:", &ChartInputs::density},
    {"\n\tHeight of the talus \t  [m]\t:", &ChartInputs::height},
    {"\n\tDefinition \t\t  [m]\t:", &ChartInputs::definition},
    {"\n\tSecurity Factor \t\t  [m]\t:", &ChartInputs::security_factor},
}};

constexpr std::string_view blanks = " \t\r\v\f";

// The entries typed, token by token, a line at a time.
class TypedLines {
  public:
    explicit TypedLines(std::istream& in) : in_(in) {}

    // The next token, from the next line that has one; nothing once the input ends.
    std::optional<std::string> next() {
        for (;;) {
            const std::size_t begin = line_.find_first_not_of(blanks, at_);
            if (begin != std::string::npos) {
                at_ = std::min(line_.find_first_of(blanks, begin), line_.size());
                return line_.substr(begin, at_ - begin);
            }
            if (!std::getline(in_, line_)) {
                return std::nullopt;
            }
            at_ = 0;
            ++line_number_;
        }
    }

    // What is left of the current line, blanks around it dropped, and the line with it.
    std::string rest_of_line() {
        const std::size_t begin = line_.find_first_not_of(blanks, at_);
        std::string rest;
        if (begin != std::string::npos) {
            rest = line_.substr(begin, line_.find_last_not_of(blanks) + 1 - begin);
        }
        at_ = line_.size();
        return rest;
    }

    std::int64_t line_number() const { return line_number_; }

  private:
    std::istream& in_;
    std::string line_;
    std::size_t at_ = 0;
    std::int64_t line_number_ = 0;
};

}  // namespace

void print_banner(std::ostream& out) {
    out << "\n"
           "  ****************************************************************************\n"
           "  *                             ZELM&PIRT Calulator                          *\n"
           "  ****************************************************************************\n\n\n";
}

std::optional<TypedValues> read_inputs(std::istream& in, std::ostream& out) {
    TypedValues typed{};
    TypedLines lines(in);
    std::vector<TakenValue> taken;  // the values taken from the current line
    std::int64_t taken_line = 0;
    for (std::size_t value = 0; value < prompts.size(); ++value) {
        const Prompt& prompt = prompts[value];
        for (;;) {
            out << prompt.text << std::flush;
            const auto token = lines.next();
            if (!token) {
                return std::nullopt;
            }
            if (lines.line_number() != taken_line) {
                taken = {};
                taken_line = lines.line_number();
            }
            const Entry entry = read_entry(*token);
            if (entry.value) {
                typed.values.*prompt.value = *entry.value;
                taken.push_back({*token, value});
                break;
            }
            const bool rest_ignored = !lines.rest_of_line().empty();
            out << entry_refused(*token, entry.refusal, taken, rest_ignored) << '\n';
            taken = {};
        }
    }
    typed.left_over = lines.rest_of_line();
    return typed;
}

}  // namespace zelm
