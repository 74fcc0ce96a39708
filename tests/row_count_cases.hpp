// Row counts of the height sweep, shared by the unit tests and by the plain check that
// a cross build runs on the target's own C runtime.
#pragma once

#include <cstdint>

namespace zelm::test_cases {

struct RowCountCase {
    float height, step;
    std::int32_t rows;
};

inline constexpr RowCountCase row_count_cases[] = {
    {20.0F, 1.0F, 20},
    {3.0F, 0.1F, 29},  // 3 / 0.100000001 = 29.9999995
    {3.0F, 0.3F, 9},   // 3 / 0.300000012 = 9.9999996
    {-5.0F, -1.0F, 5},
    {0.5F, 1.0F, 0},
    {0.0F, 1.0F, 0},
    {20.0F, 0.0F, 0},
    {0.0F, 0.0F, 0},  // not a number
    {5.0F, -1.0F, 0},
    {-5.0F, 1.0F, 0},
    {3e9F, 1.0F, 0},  // beyond 32 bits
    {2147483520.0F, 1.0F, 2147483520},
    // The double quotient rounds up to 1073741889; the exact one is 1073741888.99999994.
    // Only an exactly fused multiply-add in row_count tells the two apart.
    {2114445568.0F, 1.969230771F, 1073741888},
};

}  // namespace zelm::test_cases
