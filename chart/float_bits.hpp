// The bits of a float, and the float of some bits: to tell two values apart exactly (0.0
// from -0.0, and a NaN from itself), and to step from a float to the next one (positive
// floats keep their order as integers).
#pragma once

#include <cstdint>
#include <cstring>

namespace zelm {

inline std::uint32_t bits_of(float value) {
    std::uint32_t bits{};
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

inline float float_of(std::uint32_t bits) {
    float value{};
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

}  // namespace zelm
