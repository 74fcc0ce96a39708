// Facts about the height sweep: how many rows, which heights, which angle each row carries.
#include "sweep/sweep.hpp"
#include "tests/row_count_cases.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

namespace zelm {
namespace {

std::vector<SweepRow> rows_of(ChartInputs slope) {
    std::vector<SweepRow> rows;
    sweep(slope, [&](const SweepRow& row) {
        rows.push_back(row);
        return true;
    });
    return rows;
}

ChartInputs slope(float phi_degrees, float height, float step, float fs = 1.5F) {
    return {to_radians(phi_degrees), 2.0F, 2.5F, height, step, fs};
}

TEST(Sweep, FrictionAngleInRadiansThroughTheFloatPi) {
    EXPECT_EQ(to_radians(30.0F), 0.5235988F);
    EXPECT_EQ(to_radians(180.0F), 3.14159274F);
    EXPECT_EQ(to_radians(0.0F), 0.0F);
}

TEST(Sweep, RowCountIsTheTruncatedExactQuotient) {
    for (const auto& c : test_cases::row_count_cases) {
        EXPECT_EQ(row_count(c.height, c.step), c.rows) << c.height << " / " << c.step;
    }
}

TEST(Sweep, HeightsAccumulateInFloat) {
    const auto rows = rows_of(slope(30.0F, 3.0F, 0.1F));
    ASSERT_EQ(rows.size(), 29U);
    EXPECT_EQ(rows.front().height, 0.1F);
    EXPECT_EQ(rows.back().height, 2.8999994F);  // not 29 * 0.1F = 2.9000001

    const auto thirds = rows_of(slope(30.0F, 3.1F, 0.3F));
    ASSERT_EQ(thirds.size(), 10U);
    EXPECT_EQ(thirds[6].height, 2.0999999F);
    EXPECT_EQ(thirds[9].height, 2.9999998F);
}

TEST(Sweep, NegativeHeightAndStepGiveRows) {
    const auto rows = rows_of(slope(30.0F, -5.0F, -1.0F));
    ASSERT_EQ(rows.size(), 5U);
    EXPECT_EQ(rows[0].height, -1.0F);
    EXPECT_EQ(rows[4].height, -5.0F);
    EXPECT_EQ(rows[0].y, -1.38F);  // cut toward zero
}

TEST(Sweep, NoVerdictKeepsTheAngleUnknown) {
    const auto rows = rows_of(slope(10.0F, 3.0F, 1.0F, 1.2F));  // x 0.15 has no chart row
    ASSERT_EQ(rows.size(), 3U);
    for (const auto& row : rows) {
        EXPECT_EQ(row.x, 0.15F);
        EXPECT_FALSE(row.angle.has_value());
    }
    EXPECT_EQ(rows[0].y, 4.54F);
}

TEST(Sweep, ZeroFrictionAngleGivesXZeroAndInfiniteY) {
    const auto rows = rows_of(slope(0.0F, 2.0F, 1.0F));
    ASSERT_EQ(rows.size(), 2U);
    EXPECT_EQ(rows[0].x, 0.0F);
    EXPECT_TRUE(std::isinf(rows[0].y));
    EXPECT_FALSE(rows[1].angle.has_value());
}

// The sweep reads the chart only when y changes; every row must still carry the
// angle that the chart gives for its own x and y.
TEST(Sweep, EveryAngleIsTheChartsForItsRow) {
    for (const float phi : {30.0F, 25.0F, 40.0F}) {
        for (const auto& row : rows_of(slope(phi, 100.0F, 0.01F))) {
            const auto angle = pente(row.x, row.y);
            ASSERT_TRUE(angle.has_value());
            ASSERT_EQ(std::bit_cast<std::uint32_t>(*row.angle), std::bit_cast<std::uint32_t>(*angle))
                << "phi " << phi << ", height " << row.height;
        }
    }
}

TEST(Sweep, StopsWhenTheRowCannotBeWritten) {
    int calls = 0;
    sweep(slope(30.0F, 20.0F, 1.0F), [&](const SweepRow&) { return ++calls < 3; });
    EXPECT_EQ(calls, 3);
}

}  // namespace
}  // namespace zelm
