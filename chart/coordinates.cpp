#include "chart/coordinates.hpp"

#include <cmath>
#include <limits>

namespace zelm {

// Narrowing a double that lies beyond the float range gives an infinity under IEEE
// 754 arithmetic, which the chart code relies on (a zero tangent gives an infinite y).
static_assert(std::numeric_limits<float>::is_iec559 && std::numeric_limits<double>::is_iec559);

float A(float phi, float fs) { return A_tangent(std::tan(static_cast<double>(phi)), fs); }

float B(float height, float cohesion, float density, float phi) {
    return B_tangent(height, cohesion, density, std::tan(static_cast<double>(phi)));
}

float decimale(float value) {
    if (!std::isfinite(value)) {
        return std::numeric_limits<float>::quiet_NaN();
    }
    // Exact for every finite float: beyond 2^24 a float has no fraction and this is 0.
    return static_cast<float>(static_cast<double>(value) - std::trunc(static_cast<double>(value)));
}

}  // namespace zelm
