// Facts about the chart coordinates and the decimal helpers. Expected values are
// worked by hand or are the nearest floats to short decimals, never computed by
// the code under test.
#include "chart/coordinates.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace zelm {
namespace {

constexpr float inf = std::numeric_limits<float>::infinity();
constexpr float nan = std::numeric_limits<float>::quiet_NaN();
constexpr float thirty_degrees = 0.5235988F;  // 30 * 3.14159274 / 180, rounded to float

struct Case {
    float value;
    float expected;
};

TEST(Arrondir, RoundsHalfUpOnTheDigitAfterTheCut) {
    const Case cases[] = {
        {0.3849F, 0.38F},  // cut to 0.384 first: the 9 never counts
        {0.385F, 0.39F},   // 0.384999990F scales to exactly 385 in float
        {0.5774F, 0.58F}, {1.3856F, 1.39F}, {0.6928F, 0.69F}, {2.0F, 2.0F},    {0.0F, 0.0F},
        {0.004F, 0.0F},   {0.005F, 0.01F},  {0.995F, 1.0F},   {9.995F, 10.0F}, {13.864F, 13.86F},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(arrondir(c.value, 2), c.expected) << c.value;
    }
}

TEST(Arrondir, CutsNegativeValuesTowardZero) {
    EXPECT_EQ(arrondir(-0.577F, 2), -0.57F);
    EXPECT_EQ(arrondir(-0.579F, 2), -0.57F);
    EXPECT_EQ(arrondir(-1.3856F, 2), -1.38F);
}

TEST(Arrondir, OtherDecimalCounts) {
    EXPECT_EQ(arrondir(2.45F, 1), 2.5F);
    EXPECT_EQ(arrondir(2.44F, 1), 2.4F);
    EXPECT_EQ(arrondir(2.5F, 0), 3.0F);
    EXPECT_EQ(arrondir(1234.0F, -2), 1200.0F);
    EXPECT_EQ(arrondir(1250.0F, -2), 1300.0F);
}

// Whatever the input, a rounded coordinate is the float nearest to a two-decimal
// value, so the chart's row key and the printed hundredths agree with it.
TEST(Arrondir, LandsOnTheFloatNearestATwoDecimalValue) {
    std::mt19937 gen(20261206);
    std::uniform_real_distribution<float> dist(-20000.0F, 20000.0F);
    for (int i = 0; i < 200000; ++i) {
        const float v = i < 100000 ? dist(gen) : static_cast<float>(i - 100000) * 0.00137F;
        const float r = arrondir(v, 2);
        const double hundredths = std::round(static_cast<double>(r) * 100.0);
        ASSERT_EQ(r, static_cast<float>(hundredths / 100.0)) << v;
        ASSERT_LE(std::fabs(r - v), 0.0101F) << v;
    }
}

TEST(Tronquer, TruncatesTowardZero) {
    EXPECT_EQ(tronquer(2.9F, 0), 2.0F);
    EXPECT_EQ(tronquer(-2.9F, 0), -2.0F);
    EXPECT_EQ(tronquer(2.999F, 2), 2.99F);
    EXPECT_EQ(tronquer(-0.387F, 2), -0.38F);
    EXPECT_EQ(tronquer(16777216.0F, 0), 16777216.0F);
}

TEST(Decimale, KeepsTheSignOfTheValue) {
    EXPECT_EQ(decimale(2.75F), 0.75F);
    EXPECT_EQ(decimale(3.0F), 0.0F);
    EXPECT_EQ(decimale(-1.25F), -0.25F);
    EXPECT_EQ(decimale(-0.25F), -0.25F);
    EXPECT_EQ(decimale(2.1F), 2.1F - 2.0F);  // 0.0999999, not 0.1
}

TEST(Coordinates, TracedRunAtHeightTwo) {
    const float x = A(thirty_degrees, 1.5F);
    EXPECT_NEAR(x, 0.3849, 1e-4);
    EXPECT_EQ(arrondir(x, 2), 0.38F);

    const float y = B(2.0F, 2.0F, 2.5F, thirty_degrees);
    EXPECT_NEAR(y, 0.6928, 1e-4);
    EXPECT_EQ(arrondir(y, 2), 0.69F);
}

TEST(Coordinates, DegenerateSlopesGiveInfiniteOrNaNWithoutError) {
    EXPECT_TRUE(std::isinf(A(thirty_degrees, 0.0F)));
    EXPECT_EQ(A(0.0F, 1.5F), 0.0F);
    EXPECT_TRUE(std::isinf(B(2.0F, 2.0F, 2.5F, 0.0F)));
    EXPECT_TRUE(std::isnan(B(2.0F, 0.0F, 2.5F, 0.0F)));
}

// Values with no 32-bit integer part come back unchanged instead of reaching an
// undefined conversion; the sanitizer build checks that no such conversion runs.
TEST(Helpers, LeaveValuesBeyondThe32BitRangeUnchanged) {
    for (const float v : {inf, -inf, 3e9F, -3e9F, 1e30F, std::numeric_limits<float>::max()}) {
        EXPECT_EQ(tronquer(v, 0), v);
        EXPECT_EQ(arrondir(v, 2), v);
    }
    EXPECT_EQ(tronquer(1e8F, 2), 1e8F);                      // 1e10 hundredths do not fit
    EXPECT_EQ(arrondir(3e7F, 2), 3e7F);                      // 3e10 thousandths do not fit
    EXPECT_EQ(tronquer(-2147483648.0F, 0), -2147483648.0F);  // the lowest that fits
    EXPECT_EQ(arrondir(2147483520.0F, -1), 2147483520.0F);   // k + 10 past 2^31 rounds up safely
    EXPECT_TRUE(std::isnan(tronquer(nan, 2)));
    EXPECT_TRUE(std::isnan(arrondir(nan, 2)));
    EXPECT_EQ(arrondir(1.5F, std::numeric_limits<std::int32_t>::max()), 1.5F);
    EXPECT_EQ(tronquer(1.5F, std::numeric_limits<std::int32_t>::min()), 1.5F);
}

TEST(Helpers, DecimaleOfNonFiniteIsNaNAndOfHugeIsZero) {
    EXPECT_TRUE(std::isnan(decimale(inf)));
    EXPECT_TRUE(std::isnan(decimale(-inf)));
    EXPECT_TRUE(std::isnan(decimale(nan)));
    EXPECT_EQ(decimale(5e9F), 0.0F);
    EXPECT_EQ(decimale(-std::numeric_limits<float>::max()), 0.0F);
    EXPECT_EQ(decimale(8388607.5F), 0.5F);
}

// tronquer and arrondir read 10^0 ... 10^22 from a table instead of calling std::pow;
// that is the same only while the platform's pow gives these exact values.
TEST(Helpers, ThePlatformPowerOfTenIsExactUpTo22) {
    const double exact[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                            1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    for (int n = 0; n <= 22; ++n) {
        EXPECT_EQ(std::pow(10.0, static_cast<double>(n)), exact[n]) << "10^" << n;
    }
}

TEST(Coordinates, BFromATangentIsB) {
    std::mt19937 random(5);
    std::uniform_real_distribution<float> height(-1e5F, 1e5F);
    std::uniform_real_distribution<float> phi(-1.6F, 1.6F);
    for (int i = 0; i < 10000; ++i) {
        const float h = height(random);
        const float p = phi(random);
        EXPECT_EQ(B_tangent(h, 2.0F, 2.5F, std::tan(static_cast<double>(p))), B(h, 2.0F, 2.5F, p));
    }
}

}  // namespace
}  // namespace zelm
