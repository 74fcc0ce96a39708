#include "sweep/warnings.hpp"

#include "chart/chart1.hpp"
#include "numbers/writing.hpp"

#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace zelm {
namespace {

constexpr std::string_view meaningless = "; the angles written describe no real slope.";

// Why no row was written, with the values that say so.
std::string why_no_rows(const ChartInputs& entered) {
    const std::string height = shortest(entered.height);
    const std::string step = shortest(entered.definition);
    if (entered.definition == 0.0F) {
        return "no rows were written: the step is 0.";
    }
    if (entered.height == 0.0F) {
        return "no rows were written: the height of the talus is 0.";
    }
    if ((entered.height < 0.0F) != (entered.definition < 0.0F)) {
        return "no rows were written: the height of the talus " + height + " and the step " + step +
               " have opposite signs.";
    }
    if (std::fabs(entered.height) < std::fabs(entered.definition)) {
        return "no rows were written: the height of the talus " + height + " is below the step " + step + ".";
    }
    return "no rows were written: " + height + " / " + step +
           " is more rows than a run can count (2147483647); a larger step gives fewer.";
}

// Why angle cells are empty: x outside the rows the chart fits, or, with x inside,
// y = 0/0 (a cohesion and a density of 0), for which no row gives an angle.
std::string no_angle(float x) {
    const auto [first, last] = fitted_x_range();
    if (x >= first && x <= last) {
        return "chart 1 has no slope angle where y = C'/(d*H*tan(phi)) is not a number "
               "(0/0: a cohesion and a density of 0); those angle cells are empty.";
    }
    const bool lower = !(x < first);  // also for an x that is not a number
    return "chart 1 has no slope angle for x = tan(phi)/FS = " + fixed(x, 2) +
           "; those angle cells are empty. Chart 1 gives angles for x from " + fixed(first, 2) + " to " +
           fixed(last, 2) +
           (lower ? ": a larger FS or a smaller friction angle lowers x."
                  : ": a smaller FS or a larger friction angle raises x.");
}

// The decimal number a float prints as, its digits and its power of ten: 0.15 is
// {15, -2}, 1e+30 is {1, 30}. Trailing zeros go into the power, so that at most the
// nine digits of a float remain.
struct Decimal {
    std::uint64_t digits = 0;
    int power = 0;
};

Decimal decimal_of(float value) {
    const std::string text = shortest(std::fabs(value));
    Decimal decimal;
    bool after_point = false;
    std::size_t i = 0;
    for (; i < text.size() && text[i] != 'e'; ++i) {
        if (text[i] == '.') {
            after_point = true;
            continue;
        }
        decimal.digits = decimal.digits * 10 + static_cast<std::uint64_t>(text[i] - '0');
        decimal.power -= after_point ? 1 : 0;
    }
    if (i < text.size()) {
        decimal.power += std::stoi(text.substr(i + 1));
    }
    while (decimal.digits != 0 && decimal.digits % 10 == 0) {
        decimal.digits /= 10;
        ++decimal.power;
    }
    return decimal;
}

// True when the step, as typed, goes a whole number of times into the height as typed:
// 0.1 into 10 does, 3 into 10 does not.
bool divides_in_decimal(float step, float height) {
    const Decimal s = decimal_of(step);
    const Decimal h = decimal_of(height);
    if (s.digits == 0) {
        return false;
    }
    // With more decimals than the step, a height (its digits without trailing zeros)
    // is no whole multiple of it.
    if (h.power < s.power) {
        return false;
    }
    std::uint64_t remainder = h.digits % s.digits;  // of h.digits * 10^(h.power - s.power)
    for (int p = s.power; p < h.power; ++p) {
        remainder = remainder * 10 % s.digits;
    }
    return remainder == 0;
}

std::string height_text(float height) {
    std::array<char, max_decimal_comma_length> text{};
    char* const end = put_decimal_comma(text.data(), height);
    return std::string(text.data() + 1, end);  // without the cell's leading space
}

// Nothing when the last row is the talus height, printed the same way.
std::optional<std::string> short_of_the_talus(const ChartInputs& entered, const SweepSummary& run) {
    const std::string last = height_text(run.last_height);
    const std::string talus = height_text(entered.height);
    if (last == talus) {
        return std::nullopt;
    }
    const bool above = std::fabs(run.last_height) > std::fabs(entered.height);
    std::string line = "the last row is at H = " + last + (above ? ", above" : ", short of") +
                       " the talus height " + shortest(entered.height) + ": ";
    if (run.last_height + entered.definition == run.last_height) {  // added in float
        return line + "from there on, a step of " + shortest(entered.definition) +
               " no longer adds to the height in single precision, and the rows repeat it.";
    }
    if (!divides_in_decimal(entered.definition, entered.height)) {
        return line + "the step " + shortest(entered.definition) + " does not divide it.";
    }
    // Dividing the height in decimals, and not stopped: the step itself is not the
    // decimal typed, and its sums drift (a step exact in decimal, a binary fraction,
    // adds up to the talus height itself).
    return line + "the step " + shortest(entered.definition) +
           " is not exact in single precision, and the heights are sums of it; a step that is a binary "
           "fraction, such as 0.125, 0.25 or 0.5, adds up exactly.";
}

}  // namespace

std::vector<std::string> warnings(const ChartInputs& entered, const SweepSummary& run) {
    std::vector<std::string> lines;
    if (!(entered.friction_angle > 0.0F && entered.friction_angle < 90.0F)) {
        lines.push_back("the friction angle " + shortest(entered.friction_angle) +
                        " is not between 0 and 90 degrees" + std::string(meaningless));
    }
    if (entered.cohesion < 0.0F) {
        lines.push_back("the cohesion " + shortest(entered.cohesion) + " is below 0" +
                        std::string(meaningless));
    }
    if (!(entered.density > 0.0F)) {
        lines.push_back("the density " + shortest(entered.density) + " is not above 0" +
                        std::string(meaningless));
    }
    if (!(entered.security_factor > 0.0F)) {
        lines.push_back("the factor of safety " + shortest(entered.security_factor) + " is not above 0" +
                        std::string(meaningless));
    }
    if (run.rows == 0) {
        lines.push_back(why_no_rows(entered));
        return lines;
    }
    if (entered.height < 0.0F) {
        lines.push_back("the heights are below 0 (the height of the talus " + shortest(entered.height) +
                        " and the step " + shortest(entered.definition) + " are both negative)" +
                        std::string(meaningless));
    }
    if (run.empty_angles) {
        lines.push_back(no_angle(run.x));
    }
    if (auto short_of = short_of_the_talus(entered, run)) {
        lines.push_back(*std::move(short_of));
    }
    return lines;
}

}  // namespace zelm
