// Chart coordinates and the decimal helpers that put values on the chart's grid
// and split them for printing.
//
// Every value in and out is single precision; the arithmetic in between is done in
// double, and each function rounds its result to float once, on return. Where a
// step rounds an intermediate value to float, that rounding is deliberate: it
// changes which two-decimal value a coordinate lands on.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>

namespace zelm {

// What tronquer and arrondir share. All of these are inline: the sweep puts every row
// on the grid, and a study every element.
namespace coordinates {

// The scaled value as a signed 32-bit integer, truncated toward zero, or nothing
// when it is not finite or lies outside the 32-bit range (converting such a value
// would have no defined result). 2^31 is exact in float, so the bounds are exact.
inline std::optional<std::int32_t> truncate_to_int32(float scaled) {
    constexpr float lowest = -0x1p31F;             // -2^31, itself representable
    constexpr float beyond = 0x1p31F;              // 2^31, the first value that does not fit
    if (!(scaled >= lowest && scaled < beyond)) {  // also false for NaN
        return std::nullopt;
    }
    return static_cast<std::int32_t>(scaled);
}

// The powers of ten that a double holds exactly, 10^0 to 10^22. The standard power
// function returns exactly these (the test suite checks it on each platform), so
// reading them from the table changes no result; it spares the sweep a call to
// std::pow in every arrondir and tronquer, four of them per row.
inline constexpr std::array<double, 23> exact_powers_of_ten = [] {
    std::array<double, 23> powers{};
    double power = 1.0;
    for (double& p : powers) {
        p = power;
        power *= 10.0;  // exact up to 10^22, whose 22 factors of 5 fit 53 bits
    }
    return powers;
}();

// 10^exponent, or nothing when it is 0 or infinite in double: with such a scale a
// value could not be brought back from its scaled integer.
inline std::optional<double> power_of_ten(double exponent) {
    if (exponent >= 0.0 && exponent < static_cast<double>(exact_powers_of_ten.size()) &&
        exponent == std::trunc(exponent)) {
        return exact_powers_of_ten[static_cast<std::size_t>(exponent)];
    }
    const double scale = std::pow(10.0, exponent);
    if (!(scale > 0.0 && scale < std::numeric_limits<double>::infinity())) {
        return std::nullopt;
    }
    return scale;
}

}  // namespace coordinates

// x = tan(phi) / FS, the first coordinate of chart 1 ("Tg (Phi)/FS=").
// phi is the friction angle in radians.
float A(float phi, float fs);

// A with tan(phi) already taken in double, for a caller that needs tan(phi) for y too:
// A_tangent(std::tan(double(phi)), FS) is exactly A(phi, FS).
inline float A_tangent(double tan_phi, float fs) {
    return static_cast<float>(tan_phi / static_cast<double>(fs));
}

// y = C' / (tan(phi) * (d * H)), the second coordinate ("C'/(d*H*Tg Phi)").
// Arguments in this order: height H, cohesion C', density d, friction angle in radians.
float B(float height, float cohesion, float density, float phi);

// B with tan(phi) already taken in double, for a sweep in which phi stays the same:
// B_tangent(H, C', d, std::tan(double(phi))) is exactly B(H, C', d, phi).
inline float B_tangent(float height, float cohesion, float density, double tan_phi) {
    // The product of two floats is exact in double.
    const double weight = static_cast<double>(density) * static_cast<double>(height);
    const double divisor = tan_phi * weight;
    return static_cast<float>(static_cast<double>(cohesion) / divisor);
}

// value truncated toward zero to n decimals. The value comes back unchanged when
// value * 10^n is not finite or does not fit a signed 32-bit integer.
inline float tronquer(float value, std::int32_t n) {
    const auto scale = coordinates::power_of_ten(n);
    if (!scale) {
        return value;
    }
    // The scaled product is rounded to float before it is truncated.
    const auto k = coordinates::truncate_to_int32(static_cast<float>(static_cast<double>(value) * *scale));
    if (!k) {
        return value;
    }
    return static_cast<float>(static_cast<double>(*k) / *scale);
}

// value rounded to n decimals, half up on the (n+1)-th decimal after every later
// decimal has been cut: arrondir(0.3849, 2) is 0.38 and arrondir(0.385, 2) is 0.39.
// Negative values are cut toward zero. Same out-of-range rule as tronquer, with
// value * 10^(n+1).
inline float arrondir(float value, std::int32_t n) {
    const auto scale = coordinates::power_of_ten(static_cast<double>(n) + 1.0);
    if (!scale) {
        return value;
    }
    // Rounding the scaled product to float absorbs the representation error of the
    // input: 0.385F is 0.384999990..., its product 384.99999... becomes exactly 385.
    const auto truncated =
        coordinates::truncate_to_int32(static_cast<float>(static_cast<double>(value) * *scale));
    if (!truncated) {
        return value;
    }
    // The digit after the n-th decimal decides; it has the sign of k, so negative
    // values are never rounded away from zero. Wider than 32 bits so that k + 10
    // cannot overflow near the top of the range.
    std::int64_t k = *truncated;
    const std::int64_t last_digit = k % 10;
    k = last_digit > 4 ? k - last_digit + 10 : k - last_digit;
    return static_cast<float>(static_cast<double>(k) / *scale);
}

// value minus its integer part (truncated toward zero), so it keeps the sign of
// value: decimale(-1.25) is -0.25. Not a number for an infinite or NaN value.
float decimale(float value);

}  // namespace zelm
