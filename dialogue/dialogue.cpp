#include "dialogue/dialogue.hpp"

#include <array>
#include <charconv>
#include <cstddef>
#include <istream>
#include <ostream>
#include <string>
#include <system_error>

namespace zelm {
namespace {

struct Entry {
    std::string_view prompt;
    float ChartInputs::*value;
};

// Prompt texts are the calculator's own, spacing and units included.
constexpr std::array<Entry, 6> entries{{
    {"\tFriction angle \t\t[degree] :", &ChartInputs::friction_angle},
    {"\n\tCohesion \t\t[Tn/m2]\t:", &ChartInputs::cohesion},
    {"\n\tDensity  \t\t[Tn/m3]\t:", &ChartInputs::density},
    {"\n\tHeight of the talus \t  [m]\t:", &ChartInputs::height},
    {"\n\tDefinition \t\t  [m]\t:", &ChartInputs::definition},
    {"\n\tSecurity Factor \t\t  [m]\t:", &ChartInputs::security_factor},
}};

bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::size_t skip_digits(std::string_view s, std::size_t i) {
    while (i < s.size() && is_digit(s[i])) {
        ++i;
    }
    return i;
}

// True when the token is [sign] digits [. [digits]] | [sign] . digits, followed by an
// optional exponent e[sign]digits, and nothing else: no hexadecimal, inf or nan.
bool is_decimal_number(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        ++i;
    }
    const std::size_t integer_end = skip_digits(s, i);
    bool has_digits = integer_end > i;
    i = integer_end;
    if (i < s.size() && s[i] == '.') {
        const std::size_t fraction_end = skip_digits(s, i + 1);
        has_digits = has_digits || fraction_end > i + 1;
        i = fraction_end;
    }
    if (!has_digits) {
        return false;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            ++i;
        }
        const std::size_t exponent_end = skip_digits(s, i);
        if (exponent_end == i) {
            return false;
        }
        i = exponent_end;
    }
    return i == s.size();
}

}  // namespace

void print_banner(std::ostream& out) {
    out << "\n"
           "  ****************************************************************************\n"
           "  *                             ZELM&PIRT Calulator                          *\n"
           "  ****************************************************************************\n\n\n";
}

std::optional<float> parse_entry(std::string_view token) {
    if (!is_decimal_number(token)) {
        return std::nullopt;
    }
    if (token.front() == '+') {  // from_chars takes a minus sign only
        token.remove_prefix(1);
    }
    // from_chars reads with a point whatever the locale, rounds to the nearest float
    // and reports a value beyond the float range instead of giving an infinity.
    float value = 0.0F;
    const char* const last = token.data() + token.size();
    const auto [end, error] = std::from_chars(token.data(), last, value, std::chars_format::general);
    if (error != std::errc{} || end != last) {
        return std::nullopt;
    }
    return value;
}

std::optional<ChartInputs> read_inputs(std::istream& in, std::ostream& out) {
    ChartInputs inputs{};
    for (const Entry& entry : entries) {
        for (;;) {
            out << entry.prompt << std::flush;
            std::string token;
            if (!(in >> token)) {
                return std::nullopt;
            }
            if (const auto value = parse_entry(token)) {
                inputs.*entry.value = *value;
                break;
            }
            out << bad_entry_message;
        }
    }
    return inputs;
}

}  // namespace zelm
