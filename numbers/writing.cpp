#include "numbers/writing.hpp"

#include "chart/coordinates.hpp"

#include <fast_float/fast_float.h>
#include <fmt/compile.h>
#include <fmt/format.h>

#include <cmath>
#include <cstdint>

namespace zelm {
namespace {

// fixed(value, decimals) written at out, which has room for max_fixed_length bytes.
char* put_fixed(char* out, float value, int decimals) {
    return fmt::format_to_n(out, max_fixed_length, "{:.{}f}", value, decimals).out;
}

// The whole part of a decimal-comma cell, held as an integer or, from 2^31 on, as the
// float it is.
char* put_whole_part(char* out, std::uint32_t whole) { return fmt::format_to(out, FMT_COMPILE("{}"), whole); }
char* put_whole_part(char* out, float whole) { return put_whole(out, whole); }

// A decimal-comma cell from its parts: a space, a minus sign when negative, the whole
// part, a comma and the two digits of the hundredths (0 to 99).
template <typename Whole>
char* put_parts(char* out, bool negative, Whole whole, std::uint32_t hundredths) {
    *out++ = ' ';
    if (negative) {
        *out++ = '-';
    }
    out = put_whole_part(out, whole);
    *out++ = ',';
    *out++ = static_cast<char>('0' + hundredths / 10);
    *out++ = static_cast<char>('0' + hundredths % 10);
    return out;
}

}  // namespace

std::string fixed(float value, int decimals) { return fmt::format("{:.{}f}", value, decimals); }

std::string fixed(double value, int decimals) { return fmt::format("{:.{}f}", value, decimals); }

std::string shortest(float value) { return fmt::format("{}", value); }

double whole_value(float value) {
    // Beyond 2^24 a float has no fraction; below, "%.0f" rounds as nearbyint does.
    return std::fabs(value) < 0x1p24F ? static_cast<double>(std::nearbyint(value))
                                      : static_cast<double>(value);
}

char* put_whole(char* out, float value) {
    const float magnitude = std::fabs(value);
    if (!(magnitude < 2147483648.0F)) {  // also for NaN and infinities
        return put_fixed(out, value, 0);
    }
    // Below 2^31 the rounding of "%.0f" is nearbyint's, to nearest with an exact half
    // to even, and the whole number prints as an integer: the same bytes, which counts
    // at one call per cell of a sweep.
    if (std::signbit(value)) {
        *out++ = '-';
    }
    return put_whole_part(out, static_cast<std::uint32_t>(std::nearbyint(magnitude)));
}

double DecimalComma::value() const {
    // With hundredths, the whole part lies below 2^23 (a float has no fraction beyond),
    // so 100 * whole + hundredths is exact and the division the only rounding: that of
    // reading "whole,hundredths" as a decimal. Without, the whole part is the number.
    const double magnitude = hundredths == 0 ? static_cast<double>(whole)
                                             : (100.0 * static_cast<double>(whole) + hundredths) / 100.0;
    return negative ? -magnitude : magnitude;
}

char* put_decimal_comma(char* out, float v) {
    const float magnitude = std::fabs(v);
    if (magnitude < 0x1p31F) {  // also false for NaN and infinities
        // decimal_comma's parts, each by the integer arithmetic that gives it exactly, at
        // a fraction of the cost for a cell that is made on every row: the truncation is
        // the conversion to an integer, the fraction (the magnitude less it) is exact in
        // float, and so is what the hundredths leave over their truncation, which decides
        // the rounding, half to even.
        auto whole = static_cast<std::uint32_t>(magnitude);
        const float scaled = (magnitude - static_cast<float>(whole)) * 100.0F;
        auto hundredths = static_cast<std::uint32_t>(scaled);
        const float rest = scaled - static_cast<float>(hundredths);
        if (rest > 0.5F || (rest == 0.5F && hundredths % 2 == 1)) {
            ++hundredths;
        }
        if (hundredths == 100) {  // below 2^24, the only place a fraction is left
            ++whole;
            hundredths = 0;
        }
        return put_parts(out, v < 0.0F && (whole > 0 || hundredths > 0), whole, hundredths);
    }
    const auto number = decimal_comma(v);
    if (!number) {
        return out;
    }
    return put_parts(out, number->negative, number->whole, static_cast<std::uint32_t>(number->hundredths));
}

double typed_value(float value) {
    const std::string text = shortest(value);
    double typed = static_cast<double>(value);  // what infinities and NaN stay
    (void)fast_float::from_chars(text.data(), text.data() + text.size(), typed);
    return typed;
}

}  // namespace zelm
