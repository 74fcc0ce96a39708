// Writing a number as text, the same on every platform and in every locale: with a
// point, never a thousands separator.
#pragma once

#include <cstddef>
#include <string>

namespace zelm {

// Room for the longest number a float prints with at most one decimal: a sign, the 39
// digits of 3.4e38, a point and a decimal.
inline constexpr std::size_t max_fixed_length = 42;

// value with `decimals` decimals (0 to 2), as C's "%.*f" prints it: exact, an exact
// half rounded to even (1.25 with one decimal is 1.2, 12.5 with none is 12).
std::string fixed(float value, int decimals);

// A space, a minus sign, the integer part, a comma and two digits.
inline constexpr std::size_t max_decimal_comma_length = 2 + max_fixed_length + 3;

// Writes the decimal-comma number of v at out and returns the end: a space, a minus
// sign for a negative value that does not print as 0,00, the integer part of the
// magnitude in full, a comma and two digits of hundredths (" 2,00", " 0,07",
// " -1,25"). Hundredths that round to 100 carry into the integer part. Nothing at
// all for an infinite or NaN value: the spreadsheet shows an empty cell.
char* put_decimal_comma(char* out, float v);

// A whole number below 2^31 in magnitude, written as put_fixed(out, value, 0) writes
// it ("-0" for a negative value that rounds to 0), at a fraction of the cost.
char* put_whole(char* out, float value);

// The shortest decimal that reads back as the same float: 0.15, not 0.150000006; 1.25;
// 30; 1e+30. "inf" and "nan" for those.
std::string shortest(float value);

// True when the float is exactly the decimal it prints as: 0.125, 0.5 and 3 are; 0.1 is
// 0.100000001490116..., and sums of it drift.
bool exact_in_decimal(float value);

}  // namespace zelm
