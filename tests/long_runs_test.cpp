// Where a long run's heights stop growing, known before its first row: found by
// binades, it must be where adding the step row by row stops them.
#include "chart/float_bits.hpp"
#include "sweep/step_sums.hpp"
#include "sweep/sweep.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

namespace zelm {
namespace {

// The heights added up one row at a time, as the sweep adds them.
StepSums added_row_by_row(float step, std::int32_t rows, float start) {
    StepSums sums{start, 0};
    for (std::int32_t row = 1; row <= rows; ++row) {
        const float next = sums.last + step;
        sums.reached = next != sums.last ? row : sums.reached;
        sums.last = next;
    }
    return sums;
}

void expect_as_added(float step, std::int32_t rows, float start = 0.0F) {
    const StepSums found = sum_steps(step, rows, start);
    const StepSums added = added_row_by_row(step, rows, start);
    EXPECT_EQ(found.last, added.last) << "step " << step << ", " << rows << " rows from " << start;
    EXPECT_EQ(found.reached, added.reached) << "step " << step << ", " << rows << " rows from " << start;
}

// A typo's run: 10^6 m in steps of 1 mm stop at 2^15 m, where half the spacing of floats
// (0.00195) is above the step; on the way, each binade adds the step rounded to its own
// spacing (2^-10 m a row from 8192 m, 2^-9 m from 16384 m).
TEST(StepSums, AMillionMetresInMillimetresStopAt32768) {
    const std::int32_t rows = row_count(1e6F, 0.001F);
    const StepSums sums = sum_steps(0.001F, rows);
    EXPECT_EQ(sums.last, 32768.0F);
    const StepSums added = added_row_by_row(0.001F, sums.reached + 1000, 0.0F);
    EXPECT_EQ(added.last, 32768.0F);
    EXPECT_EQ(added.reached, sums.reached);
    // Steps of 1 stop at 2^24, the first integer a float cannot add 1 to; negative ones at -2^24.
    EXPECT_EQ(sum_steps(1.0F, 100000000).last, 16777216.0F);
    EXPECT_EQ(sum_steps(1.0F, 100000000).reached, 16777216);
    EXPECT_EQ(sum_steps(-1.0F, 100000000).last, -16777216.0F);
    EXPECT_EQ(sum_steps(-1.0F, 100000000).reached, 16777216);
}

// Decimal steps that floats round, binary fractions that they hold exactly, steps from the
// subnormals to the largest, each over counts that cross many binades and, from a start
// near where it stops, over the stop itself.
TEST(StepSums, AsAddedRowByRow) {
    constexpr float smallest = std::numeric_limits<float>::denorm_min();
    constexpr float largest = std::numeric_limits<float>::max();
    for (const float step :
         {0.1F,  0.3F,  0.001F, 0.01F, 1.0F,  3.0F,           1e-7F,    0.125F, 0.5F,        0x1p-20F,
          0.15F, 1e-5F, 3e-5F,  7.0F,  1e30F, largest / 3.0F, smallest, 1e-40F, 0x1.8p-140F, 0x1.8p-148F}) {
        for (const float sign : {1.0F, -1.0F}) {
            for (const std::int32_t rows : {0, 1, 2, 3, 1000, 999983, 3000000}) {
                expect_as_added(sign * step, rows);
            }
            // From just below 2^23 and 2^24 steps, and beyond: where a step no longer adds
            // all of itself, and where it stops adding.
            for (const float start : {0x1.f8p22F, 0x1.ep23F, 0x1p24F, 0x1.8p24F}) {
                expect_as_added(sign * step, 3000000, sign * start * step);
            }
        }
    }
    // A step of exactly half the spacing of floats adds it to an odd height, to make it
    // even, and adds nothing to an even one; one a little above it adds it every time.
    expect_as_added(0.5F, 10, 0x1p24F + 2.0F);
    expect_as_added(1.0F, 10, 0x1p25F + 2.0F);
    expect_as_added(1.0F, 10, 0x1p24F + 2.0F);
    expect_as_added(0x1.000002p0F, 10000000, 0x1p24F);
    // The largest floats: a sum that would pass them is infinite, and stays so.
    expect_as_added(0x1p103F, 100, largest - 0x1p110F);
    expect_as_added(0x1.8p103F, 3000000, 0x1.fffp127F);
    expect_as_added(largest / 2.0F, 5);
}

TEST(StepSums, AsAddedRowByRowForRandomSteps) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<std::uint32_t> positive_finite(1, 0x7F7FFFFFU);
    std::uniform_int_distribution<std::int32_t> rows(0, 2000000);
    std::uniform_real_distribution<float> near_the_stop(22.5F, 25.0F);
    for (int i = 0; i < 200; ++i) {
        const float step = float_of(positive_finite(random)) * (i % 2 == 0 ? 1.0F : -1.0F);
        const std::int32_t count = rows(random);
        expect_as_added(step, count);
        // From somewhere 2^22.5 to 2^25 steps up: the stop among the rows, or before them.
        const float start = step * std::exp2(near_the_stop(random));
        if (std::isfinite(start)) {
            expect_as_added(step, count, start);
        }
    }
}

}  // namespace
}  // namespace zelm
