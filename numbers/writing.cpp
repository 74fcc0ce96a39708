#include "numbers/writing.hpp"

#include "chart/coordinates.hpp"

#include <fmt/format.h>

#include <charconv>
#include <cmath>
#include <cstdint>

namespace zelm {
namespace {

// fixed(value, decimals) written at out, which has room for max_fixed_length bytes.
char* put_fixed(char* out, float value, int decimals) {
    return fmt::format_to_n(out, max_fixed_length, "{:.{}f}", value, decimals).out;
}

}  // namespace

std::string fixed(float value, int decimals) { return fmt::format("{:.{}f}", value, decimals); }

std::string shortest(float value) { return fmt::format("{}", value); }

bool exact_in_decimal(float value) { return shortest(value) == fmt::format("{}", static_cast<double>(value)); }

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
    const auto whole = static_cast<std::uint32_t>(std::nearbyint(magnitude));
    return std::to_chars(out, out + max_fixed_length, whole).ptr;
}

char* put_decimal_comma(char* out, float v) {
    if (!std::isfinite(v)) {
        return out;
    }
    const float magnitude = std::fabs(v);
    // Integer part by truncation; beyond the 32-bit range the magnitude is itself a
    // whole number and comes back unchanged.
    float integer_part = tronquer(magnitude, 0);
    // Hundredths: the fraction times 100, rounded to float, then to the nearest whole
    // number with an exact half going to even, as "%.0f" does. For 2.1 the fraction is
    // 0.0999999 and the hundredths 9.99999, which print 10.
    const float hundredths = decimale(magnitude) * 100.0F;
    auto digits = static_cast<int>(std::nearbyint(hundredths));
    if (digits == 100) {  // 2.9999998: the fraction rounds up to a whole unit
        integer_part += 1.0F;
        digits = 0;
    }
    *out++ = ' ';
    if (v < 0.0F && (integer_part > 0.0F || digits > 0)) {
        *out++ = '-';
    }
    out = put_whole(out, integer_part);
    *out++ = ',';
    *out++ = static_cast<char>('0' + digits / 10);
    *out++ = static_cast<char>('0' + digits % 10);
    return out;
}

}  // namespace zelm
