#include "chart/coordinates.hpp"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>

namespace zelm {

// Narrowing a double that lies beyond the float range gives an infinity under IEEE
// 754 arithmetic, which the chart code relies on (a zero tangent gives an infinite y).
static_assert(std::numeric_limits<float>::is_iec559 && std::numeric_limits<double>::is_iec559);

namespace {

// The scaled value as a signed 32-bit integer, truncated toward zero, or nothing
// when it is not finite or lies outside the 32-bit range (converting such a value
// would have no defined result). 2^31 is exact in float, so the bounds are exact.
std::optional<std::int32_t> truncate_to_int32(float scaled) {
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
constexpr std::array<double, 23> exact_powers_of_ten = [] {
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
std::optional<double> power_of_ten(double exponent) {
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

}  // namespace

float A(float phi, float fs) { return A_tangent(std::tan(static_cast<double>(phi)), fs); }

float A_tangent(double tan_phi, float fs) { return static_cast<float>(tan_phi / static_cast<double>(fs)); }

float B(float height, float cohesion, float density, float phi) {
    return B_tangent(height, cohesion, density, std::tan(static_cast<double>(phi)));
}

float B_tangent(float height, float cohesion, float density, double tan_phi) {
    // The product of two floats is exact in double.
    const double weight = static_cast<double>(density) * static_cast<double>(height);
    const double divisor = tan_phi * weight;
    return static_cast<float>(static_cast<double>(cohesion) / divisor);
}

float tronquer(float value, std::int32_t n) {
    const auto scale = power_of_ten(n);
    if (!scale) {
        return value;
    }
    // The scaled product is rounded to float before it is truncated.
    const auto k = truncate_to_int32(static_cast<float>(static_cast<double>(value) * *scale));
    if (!k) {
        return value;
    }
    return static_cast<float>(static_cast<double>(*k) / *scale);
}

float arrondir(float value, std::int32_t n) {
    const auto scale = power_of_ten(static_cast<double>(n) + 1.0);
    if (!scale) {
        return value;
    }
    // Rounding the scaled product to float absorbs the representation error of the
    // input: 0.385F is 0.384999990..., its product 384.99999... becomes exactly 385.
    const auto truncated = truncate_to_int32(static_cast<float>(static_cast<double>(value) * *scale));
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

float decimale(float value) {
    if (!std::isfinite(value)) {
        return std::numeric_limits<float>::quiet_NaN();
    }
    // Exact for every finite float: beyond 2^24 a float has no fraction and this is 0.
    return static_cast<float>(static_cast<double>(value) - std::trunc(static_cast<double>(value)));
}

}  // namespace zelm
