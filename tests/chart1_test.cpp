// Facts about chart 1. The rows below are a second, independent reading of the
// printed chart: a coefficient or threshold mistyped in the table shows up here.
#include "chart/chart1.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

namespace zelm {
namespace {

constexpr float inf = std::numeric_limits<float>::infinity();
constexpr float nan = std::numeric_limits<float>::quiet_NaN();

float key_to_x(int key) { return static_cast<float>(key / 100.0); }

struct PrintedRow {
    int key;
    double threshold;
    float c4, c3, c2, c1, c0;
};

TEST(Chart1, RowsReadAgainstThePrintedChart) {
    const PrintedRow printed[] = {
        {20, 2.0, 24.326F, -103.69F, 119.85F, 19.852F, 11.248F},
        {23, 1.78, 33.463F, -122.38F, 112.96F, 41.2F, 13.024F},
        {26, 1.27, 54.542F, -159.04F, 113.1F, 60.972F, 13.993F},
        {31, 1.25, 107.67F, -254.56F, 126.4F, 87.864F, 17.106F},
        {37, 0.96, 158.37F, -295.96F, 76.276F, 132.07F, 20.248F},
        {38, 0.91, 239.63F, -408.3F, 106.88F, 136.48F, 20.652F},
        {45, 0.72, 426.31F, -544.64F, 42.249F, 184.02F, 24.327F},
        {46, 0.69, 429.11F, -464.84F, -41.386F, 203.9F, 24.419F},
        {51, 0.6, 716.61F, -709.64F, -32.997F, 223.9F, 27.946F},
        {52, 0.52, 0.0F, 105.95F, -320.85F, 258.1F, 27.65F},
        {54, 0.55, 0.0F, 143.45F, -375.59F, 274.73F, 28.64F},
        {66, 0.41, 0.0F, 753.01F, -890.27F, 375.8F, 33.69F},
        {70, 0.375, 0.0F, 838.54F, -975.44F, 393.44F, 35.419F},
        {75, 0.334, 0.0F, 1216.5F, -1216.7F, 427.47F, 37.64F},
        {76, 0.33, 0.0F, 1863.7F, -1538.8F, 463.8F, 37.552F},
        {80, 0.3, 0.0F, 2011.2F, -1623.2F, 475.97F, 39.014F},
    };
    for (const auto& row : printed) {
        const float x = key_to_x(row.key);
        EXPECT_EQ(C4(x), row.c4) << "row " << row.key;
        EXPECT_EQ(C3(x), row.c3) << "row " << row.key;
        EXPECT_EQ(C2(x), row.c2) << "row " << row.key;
        EXPECT_EQ(C1(x), row.c1) << "row " << row.key;
        EXPECT_EQ(C0(x), row.c0) << "row " << row.key;
    }
    for (const auto& row : chart1_rows()) {
        for (const auto& p : printed) {
            if (p.key == row.key) {
                EXPECT_EQ(row.threshold, p.threshold) << "row " << row.key;
            }
        }
    }
}

TEST(Chart1, ThresholdsOfTheRowsWithoutCoefficients) {
    const struct {
        int key;
        double threshold;
    } printed[] = {{10, 4.2}, {85, 0.26}, {90, 0.245}, {95, 0.228}, {100, 0.205}};
    for (const auto& p : printed) {
        const float x = key_to_x(p.key);
        // Just below the threshold the verdict is inside, at it beyond.
        EXPECT_EQ(validite(x, std::nextafter(static_cast<float>(p.threshold), 0.0F)), inside_chart);
        EXPECT_EQ(validite(x, static_cast<float>(p.threshold) * 1.0001F), beyond_chart);
    }
}

TEST(Chart1, KeysWithAThreshold) {
    std::set<int> expected{10, 85, 90, 95, 100};
    for (int key = 20; key <= 80; ++key) {
        expected.insert(key);
    }
    std::set<int> found;
    for (int key = -200; key <= 1000; ++key) {
        if (validite(key_to_x(key), 0.0F) != no_verdict) {
            found.insert(key);
        }
    }
    EXPECT_EQ(found, expected);
    EXPECT_EQ(chart1_rows().size(), 66U);
}

TEST(Chart1, WhereCoefficientsExist) {
    for (int key = -50; key <= 400; ++key) {
        const float x = key_to_x(key);
        const bool polynomial_row = key >= 20 && key <= 80;
        EXPECT_EQ(std::isnan(C3(x)), !polynomial_row) << key;
        EXPECT_EQ(std::isnan(C2(x)), !polynomial_row) << key;
        EXPECT_EQ(std::isnan(C1(x)), !polynomial_row) << key;
        EXPECT_EQ(std::isnan(C0(x)), !polynomial_row) << key;
        if (key >= 52) {
            EXPECT_EQ(C4(x), 0.0F) << key;
        } else {
            EXPECT_EQ(std::isnan(C4(x)), key < 20) << key;
        }
    }
    EXPECT_EQ(C4(1e6F), 0.0F);
}

TEST(Chart1, ThresholdCompareIsInDoubleAgainstTheFloatY) {
    EXPECT_EQ(validite(0.38F, 0.90F), inside_chart);
    EXPECT_EQ(validite(0.38F, 0.91F), beyond_chart);  // 0.910000026 >= 0.91
    EXPECT_EQ(validite(0.38F, 0.92F), beyond_chart);
    EXPECT_EQ(validite(0.52F, 0.52F), inside_chart);  // 0.519999980 < 0.52
    EXPECT_EQ(validite(0.80F, 0.30F), beyond_chart);  // 0.300000012 >= 0.3
    EXPECT_EQ(validite(0.80F, 0.29F), inside_chart);
    EXPECT_EQ(validite(0.22F, 1.75F), beyond_chart);  // exact threshold, exact y
    EXPECT_EQ(validite(0.70F, 0.375F), beyond_chart);
}

TEST(Pente, AnglesReadFromTheChart) {
    EXPECT_NEAR(*pente(0.38F, 0.69F), 85.8958F, 1e-4F);
    EXPECT_EQ(*pente(0.38F, 0.0F), 20.652F);  // C0 alone
    EXPECT_EQ(*pente(0.38F, 0.91F), 90.0F);
    EXPECT_EQ(*pente(0.38F, 0.92F), 90.0F);
    EXPECT_EQ(*pente(0.52F, 0.52F), 90.0F);  // inside, but the cubic gives 90.0016
    EXPECT_EQ(*pente(0.80F, 0.30F), 90.0F);
    EXPECT_NEAR(*pente(0.80F, 0.29F), 89.585F, 1e-3F);
    EXPECT_NEAR(*pente(0.20F, 1.5F), 83.885F, 1e-3F);
}

TEST(Pente, RowsWithoutCoefficientsGiveNaNInsideAnd90Beyond) {
    EXPECT_TRUE(std::isnan(*pente(0.10F, 1.0F)));
    EXPECT_EQ(*pente(0.10F, 5.0F), 90.0F);
    EXPECT_TRUE(std::isnan(*pente(0.85F, 0.1F)));
    EXPECT_EQ(*pente(1.00F, 0.3F), 90.0F);
}

TEST(Pente, NoVerdictWhereTheChartHasNoRow) {
    for (const float y : {0.0F, 0.5F, 5.0F, inf}) {
        EXPECT_FALSE(pente(0.15F, y).has_value());
        EXPECT_FALSE(pente(0.81F, y).has_value());
        EXPECT_FALSE(pente(0.0F, y).has_value());
    }
}

// Inputs that reach the lookup from degenerate slopes: a zero friction angle gives
// x 0 and an infinite y, a zero security factor an infinite x. None may reach an
// undefined conversion.
TEST(Pente, NonFiniteAndHugeInputs) {
    EXPECT_FALSE(pente(inf, 1.0F).has_value());
    EXPECT_FALSE(pente(-inf, 1.0F).has_value());
    EXPECT_FALSE(pente(nan, 1.0F).has_value());
    EXPECT_FALSE(pente(3e7F, 1.0F).has_value());  // 100 x beyond 32 bits
    EXPECT_FALSE(pente(-3e7F, 1.0F).has_value());
    EXPECT_FALSE(row_key(21474838.0F).has_value());
    EXPECT_EQ(row_key(-21474836.0F), -2147483600);
    EXPECT_EQ(*pente(0.38F, inf), 90.0F);          // beyond any threshold
    EXPECT_TRUE(std::isnan(*pente(0.38F, nan)));   // a NaN y is never beyond
    EXPECT_TRUE(std::isnan(*pente(0.38F, -inf)));  // inf - inf in the polynomial
    EXPECT_EQ(*pente(0.60F, -1e20F), -inf);        // an absurd y overflows the float angle
}

}  // namespace
}  // namespace zelm
