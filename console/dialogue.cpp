#include "console/dialogue.hpp"

#include "numbers/reading.hpp"

#include <array>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

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

// Drops what follows a refused token on its line, the line break included (CR LF
// too); true when that was more than blanks.
bool drop_rest_of_line(std::istream& in) {
    std::string rest;
    std::getline(in, rest);
    return rest.find_first_not_of(" \t\r\v\f") != std::string::npos;
}

}  // namespace

void print_banner(std::ostream& out) {
    out << "\n"
           "  ****************************************************************************\n"
           "  *                             ZELM&PIRT Calulator                          *\n"
           "  ****************************************************************************\n\n\n";
}

std::optional<ChartInputs> read_inputs(std::istream& in, std::ostream& out) {
    ChartInputs inputs{};
    for (const Prompt& prompt : prompts) {
        for (;;) {
            out << prompt.text << std::flush;
            std::string token;
            if (!(in >> token)) {
                return std::nullopt;
            }
            const Entry entry = read_entry(token);
            if (entry.value) {
                inputs.*prompt.value = *entry.value;
                break;
            }
            out << "The entry " << refusal_reason(entry.refusal) << '.'
                << (drop_rest_of_line(in) ? " The rest of its line was ignored." : "") << '\n';
        }
    }
    return inputs;
}

}  // namespace zelm
