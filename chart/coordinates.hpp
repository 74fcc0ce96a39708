// Chart coordinates and the decimal helpers that put values on the chart's grid
// and split them for printing.
//
// Every value in and out is single precision; the arithmetic in between is done in
// double, and each function rounds its result to float once, on return. Where a
// step rounds an intermediate value to float, that rounding is deliberate: it
// changes which two-decimal value a coordinate lands on.
#pragma once

#include <cstdint>

namespace zelm {

// x = tan(phi) / FS, the first coordinate of chart 1 ("Tg (Phi)/FS=").
// phi is the friction angle in radians.
float A(float phi, float fs);

// A with tan(phi) already taken in double, for a caller that needs tan(phi) for y too:
// A_tangent(std::tan(double(phi)), FS) is exactly A(phi, FS).
float A_tangent(double tan_phi, float fs);

// y = C' / (tan(phi) * (d * H)), the second coordinate ("C'/(d*H*Tg Phi)").
// Arguments in this order: height H, cohesion C', density d, friction angle in radians.
float B(float height, float cohesion, float density, float phi);

// B with tan(phi) already taken in double, for a sweep in which phi stays the same:
// B_tangent(H, C', d, std::tan(double(phi))) is exactly B(H, C', d, phi).
float B_tangent(float height, float cohesion, float density, double tan_phi);

// value truncated toward zero to n decimals. The value comes back unchanged when
// value * 10^n is not finite or does not fit a signed 32-bit integer.
float tronquer(float value, std::int32_t n);

// value rounded to n decimals, half up on the (n+1)-th decimal after every later
// decimal has been cut: arrondir(0.3849, 2) is 0.38 and arrondir(0.385, 2) is 0.39.
// Negative values are cut toward zero. Same out-of-range rule as tronquer, with
// value * 10^(n+1).
float arrondir(float value, std::int32_t n);

// value minus its integer part (truncated toward zero), so it keeps the sign of
// value: decimale(-1.25) is -0.25. Not a number for an infinite or NaN value.
float decimale(float value);

}  // namespace zelm
