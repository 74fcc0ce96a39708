#include "sweep/sweep.hpp"

#include <cmath>
#include <cstdint>

namespace zelm {

float to_radians(float degrees) {
    constexpr float pi = 3.14159274F;  // the float nearest to pi, 0x40490FDB
    return static_cast<float>(static_cast<double>(degrees) * static_cast<double>(pi) / 180.0);
}

std::int32_t row_count(float height, float step) {
    const double quotient = static_cast<double>(height) / static_cast<double>(step);
    double rows = std::trunc(quotient);
    // A double quotient can round up onto a whole number that the exact quotient stays
    // just below (possible from about 2^29 rows on). The fused multiply-add gives the
    // exact sign of rows * step - height, which tells whether that happened.
    if (rows == quotient) {
        const double excess = std::fma(rows, static_cast<double>(step), -static_cast<double>(height));
        if ((step > 0.0F && excess > 0.0) || (step < 0.0F && excess < 0.0)) {
            rows -= 1.0;
        }
    }
    if (!(rows >= 1.0 && rows < 0x1p31)) {  // within 32 bits; also false for NaN
        return 0;
    }
    return static_cast<std::int32_t>(rows);
}

}  // namespace zelm
