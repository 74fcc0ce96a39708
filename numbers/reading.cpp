#include "numbers/reading.hpp"

#include <fast_float/fast_float.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>
#include <system_error>

namespace zelm {
namespace {

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

Entry read_entry(std::string_view token, bool decimal_comma) {
    // One comma and no point: a number written with a decimal comma, when "2,5" reads as
    // "2.5". Where a point is wanted it is refused as such, to say what to write instead.
    std::string pointed;
    if (token.find(',') == token.rfind(',') && token.find('.') == std::string_view::npos) {
        pointed = token;
        std::replace(pointed.begin(), pointed.end(), ',', '.');
    }
    if (!pointed.empty() && pointed != token && is_decimal_number(pointed)) {
        if (!decimal_comma) {
            return {std::nullopt, Refusal::decimal_comma};
        }
        token = pointed;
    }
    if (!is_decimal_number(token)) {
        return {};
    }
    if (token.front() == '+') {  // fast_float takes a minus sign only
        token.remove_prefix(1);
    }
    // fast_float reads with a point whatever the locale and rounds to the nearest float.
    // Beyond the float range it gives an infinity, and below the smallest float a zero
    // from digits that are not all zero: neither is the number typed.
    float value = 0.0F;
    const char* const last = token.data() + token.size();
    const auto [end, error] = fast_float::from_chars(token.data(), last, value);
    if (error != std::errc{} || end != last) {
        return {};
    }
    if (std::isinf(value)) {
        return {std::nullopt, Refusal::too_large};
    }
    if (value == 0.0F && token.find_first_of("123456789") < token.find_first_of("eE")) {
        return {std::nullopt, Refusal::too_small};
    }
    return {value, Refusal::not_a_number};
}

std::string_view refusal_reason(Refusal refusal, bool decimal_comma) {
    switch (refusal) {
        case Refusal::too_large:
            return "is too large: a value lies between -3.4e38 and 3.4e38";
        case Refusal::too_small:
            return "is too close to 0 to be held: write 0 or a larger value";
        case Refusal::decimal_comma:
            return "is written with a decimal comma: write it with a point, as in 2.5";
        case Refusal::not_a_number:
            break;
    }
    return decimal_comma ? "is not a number, such as 2.5 or 2,5"
                         : "is not a number written with a decimal point, such as 2.5";
}

}  // namespace zelm
