// The grid of chart 1's angles gives pente's own answer, bit for bit, wherever it is
// asked: on the grid it holds, and off it, where it hands over to pente.
#include "chart/chart1_grid.hpp"
#include "chart/chart1.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

namespace zelm {
namespace {

std::uint32_t bits(float value) {
    std::uint32_t b = 0;
    std::memcpy(&b, &value, sizeof b);
    return b;
}

::testing::AssertionResult same_as_pente(float x, float y) {
    const std::optional<float> expected = pente(x, y);
    const std::optional<float> found = chart1_grid().angle(x, y);
    if (expected.has_value() == found.has_value() && (!expected || bits(*expected) == bits(*found))) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "x " << x << ", y " << y << ": pente " << (expected ? std::to_string(*expected) : "nothing")
           << ", grid " << (found ? std::to_string(*found) : "nothing");
}

TEST(Chart1Grid, GivesPentesAngleOnTheGridAndOffIt) {
    const float inf = std::numeric_limits<float>::infinity();
    std::vector<float> ys{std::numeric_limits<float>::quiet_NaN(),
                          inf,
                          -inf,
                          -0.0F,
                          1e30F,
                          -1e30F,
                          0.005F,
                          0.385F,
                          4.2F,
                          4.21F,
                          4.22F,
                          1e-40F};
    // Every hundredth from below 0 to past the highest threshold (4.2, row 0.10), as the
    // sweep rounds y, and the floats on either side of each.
    for (int k = -50; k <= 500; ++k) {
        const auto y = static_cast<float>(k / 100.0);
        ys.insert(ys.end(), {y, std::nextafter(y, -inf), std::nextafter(y, inf)});
    }
    // Every key around the chart's rows (0.10 to 1.00, with gaps from 0.80 on), as the
    // sweep rounds x, and x off the grid within each key.
    for (int key = 0; key <= 110; ++key) {
        const auto x = static_cast<float>(key / 100.0);
        for (const float on_row : {x, std::nextafter(x, inf), x + 0.004F}) {
            for (const float y : ys) {
                EXPECT_TRUE(same_as_pente(on_row, y));
            }
        }
    }
    for (const float x : {std::numeric_limits<float>::quiet_NaN(), inf, -0.38F, 1e30F}) {
        EXPECT_TRUE(same_as_pente(x, 0.5F));
    }
}

}  // namespace
}  // namespace zelm
