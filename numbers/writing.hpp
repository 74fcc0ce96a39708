// Writing a number as text, the same on every platform and in every locale: with a
// point, never a thousands separator.
#pragma once

#include "chart/coordinates.hpp"

#include <cmath>
#include <cstddef>
#include <optional>
#include <string>

namespace zelm {

// Room for the longest number a float prints with at most one decimal: a sign, the 39
// digits of 3.4e38, a point and a decimal.
inline constexpr std::size_t max_fixed_length = 42;

// value with `decimals` decimals (0 to 2), as C's "%.*f" prints it: exact, an exact
// half rounded to even (1.25 with one decimal is 1.2, 12.5 with none is 12).
std::string fixed(float value, int decimals);

// A double with `decimals` decimals (0 to 17), as C's "%.*f" prints it.
std::string fixed(double value, int decimals);

// A space, a minus sign, the integer part, a comma and two digits.
inline constexpr std::size_t max_decimal_comma_length = 2 + max_fixed_length + 3;

// The decimal-comma number of a value, as a result file cell prints it: a minus sign
// for a negative value that does not print as 0,00, the integer part of the magnitude
// in full, and two digits of hundredths, which carry into the integer part when they
// round to 100 (2.9999998 is 3,00).
struct DecimalComma {
    bool negative;
    float whole;     // a whole number: the magnitude truncated, or one more after a carry
    int hundredths;  // 0 to 99

    // The number the cell shows, as a spreadsheet reads its text: 0.38 for 0,38 (not
    // the 0.384999990 behind it), computed from the parts with one rounding.
    double value() const;
};

// Nothing for an infinite or NaN value: the spreadsheet shows an empty cell. Inline:
// it runs for every cell of a sweep, and the compiler keeps the parts in registers.
inline std::optional<DecimalComma> decimal_comma(float v) {
    if (!std::isfinite(v)) {
        return std::nullopt;
    }
    const float magnitude = std::fabs(v);
    // Integer part by truncation; beyond the 32-bit range the magnitude is itself a
    // whole number and comes back unchanged.
    DecimalComma number{false, tronquer(magnitude, 0), 0};
    // Hundredths: the fraction times 100, rounded to float, then to the nearest whole
    // number with an exact half going to even, as "%.0f" does. For 2.1 the fraction is
    // 0.0999999 and the hundredths 9.99999, which print 10.
    number.hundredths = static_cast<int>(std::nearbyint(decimale(magnitude) * 100.0F));
    if (number.hundredths == 100) {  // 2.9999998: the fraction rounds up to a whole unit
        number.whole += 1.0F;
        number.hundredths = 0;
    }
    number.negative = v < 0.0F && (number.whole > 0.0F || number.hundredths > 0);
    return number;
}

// Writes the decimal-comma number of v at out and returns the end: a space, then the
// parts (" 2,00", " 0,07", " -1,25"); nothing at all for an infinite or NaN value.
char* put_decimal_comma(char* out, float v);

// The whole number "%.0f" prints, with an exact half to even: 86 for 85.8958.
double whole_value(float value);

// Writes whole_value(value) as "%.0f" does ("-0" for a negative value that rounds to
// 0); below 2^31 in magnitude as an integer, at a fraction of the cost.
char* put_whole(char* out, float value);

// The shortest decimal that reads back as the same float: 0.15, not 0.150000006; 1.25;
// 30; 1e+30. "inf" and "nan" for those.
std::string shortest(float value);

// The number a person typed to get this float, as a double: the shortest decimal read
// back, 0.15 and not the 0.150000006 of the float itself.
double typed_value(float value);

}  // namespace zelm
