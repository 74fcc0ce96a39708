#include "numbers/reading.hpp"

#include <fast_float/fast_float.h>

#include <charconv>
#include <cmath>
#include <system_error>

namespace zelm {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The entry read with `point` between the whole part and the fraction.
Entry read_with(std::string_view token, char point) {
    // A plus sign, as C's "%f" takes it; fast_float takes a minus sign only.
    if (token.size() > 1 && token.front() == '+' && token[1] != '-') {
        token.remove_prefix(1);
    }
    // A number begins with a digit or the point, after its sign: fast_float would also
    // read "inf" and "nan", which are no number typed.
    const std::string_view digits = token.starts_with('-') ? token.substr(1) : token;
    if (digits.empty() || !(is_digit(digits.front()) || digits.front() == point)) {
        return {};
    }
    // Digits, the point and more digits, and an exponent, as a C "%f" conversion reads
    // them, whatever the locale, rounded to the nearest float; the whole token, or it
    // is refused (a hexadecimal 0x10 stops at its x). Beyond the float range fast_float
    // gives an infinity, and below the smallest float a zero from digits that are not
    // all zero: neither is the number typed.
    float value = 0.0F;
    const char* const last = token.data() + token.size();
    const auto [end, error] = fast_float::from_chars_advanced(
        token.data(), last, value, fast_float::parse_options{fast_float::chars_format::general, point});
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

}  // namespace

Entry read_entry(std::string_view token, DecimalSeparator separator) {
    if (token.find(',') == std::string_view::npos) {
        return read_with(token, '.');
    }
    // The page's rule: a comma may stand for the point ("2,5" reads 2.5).
    const Entry with_a_comma = read_with(token, ',');
    if (separator == DecimalSeparator::point_or_comma) {
        return with_a_comma;
    }
    // A number written with a decimal comma where a point is wanted: refused as such,
    // to say what to write instead.
    if (with_a_comma.value || with_a_comma.refusal != Refusal::not_a_number) {
        return {std::nullopt, Refusal::decimal_comma};
    }
    return with_a_comma;
}

std::optional<std::uint64_t> read_whole_number(std::string_view token, std::uint64_t least,
                                               std::uint64_t most) {
    std::uint64_t value = 0;
    const char* const end = token.data() + token.size();
    const auto [stopped, error] = std::from_chars(token.data(), end, value);
    if (error != std::errc{} || stopped != end || value < least || value > most) {
        return std::nullopt;
    }
    return value;
}

}  // namespace zelm
