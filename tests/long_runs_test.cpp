// What a long run knows before its first row, and tells as it goes: where its heights stop growing, found by
// binades, must be where adding the step row by row stops them; and the bound on its
// result file must never be below the bytes the run writes, nor far above them.
#include "chart/coordinates.hpp"
#include "chart/design_chart.hpp"
#include "chart/float_bits.hpp"
#include "numbers/writing.hpp"
#include "result/text_file.hpp"
#include "result/workbook.hpp"
#include "sweep/bishop_columns.hpp"
#include "sweep/design_run.hpp"
#include "sweep/step_sums.hpp"
#include "sweep/sweep.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

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
    // One of a spacing and a half adds one spacing to an odd height, two to an even one.
    expect_as_added(3.0F, 10, 0x1p24F + 2.0F);
    expect_as_added(3.0F, 10, 0x1p24F + 4.0F);
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

// The bound takes an angle cell of two characters where y is 0 or more: every row of the
// chart, at every y of its two-decimal grid up to its threshold (90 beyond), prints
// between -9 and 90.
TEST(ResultFileSize, AnglesAtAPositiveYTakeTwoCharacters) {
    const DesignChart& chart = design_chart();
    for (const ChartRow& row : chart.rows) {
        const float x = static_cast<float>(row.key) / 100.0F;
        for (int hundredths = 0; hundredths <= std::lround(row.threshold * 100.0) + 1; ++hundredths) {
            const float y = arrondir(static_cast<float>(hundredths) / 100.0F, 2);  // as the sweep has it
            const auto angle = pente(chart, x, y);
            if (angle && std::isfinite(*angle)) {
                std::array<char, max_fixed_length> text{};
                EXPECT_LE(put_whole(text.data(), *angle) - text.data(), 2) << "x " << x << ", y " << y;
            }
        }
    }
}

// The bytes the run writes, as the program writes them.
std::uintmax_t bytes_written(const ChartInputs& entered) {
    ResultFileBytes bytes(entered);
    std::uintmax_t written = 0;
    for (std::string_view block = bytes.next(); !block.empty(); block = bytes.next()) {
        written += block.size();
    }
    return written;
}

// Runs of every kind: values with and without meaning, heights of either sign from a
// hundredth to 10^7 m and up to 50,000 rows, steps that do not divide them. Where the
// values describe a slope, the bound is within 7 bytes a row of the bytes written: its
// height cells as long as the last's, its y cells as long as the first's, which on a
// step of a few micrometres holds a y hundreds of times the rest.
TEST(ResultFileSize, NeverBelowTheBytesWrittenAndWithinAFewBytesARow) {
    std::mt19937 random(20240612);
    const auto pick = [&](std::initializer_list<float> values) {
        return *(values.begin() + random() % values.size());
    };
    std::uniform_real_distribution<float> exponent(-2.0F, 7.0F);
    std::uniform_real_distribution<float> rows_exponent(0.0F, 4.7F);
    for (int i = 0; i < 400; ++i) {
        const float height = std::exp2(exponent(random)) * pick({1.0F, 1.0F, 1.0F, -1.0F});
        const float step = height / std::pow(10.0F, rows_exponent(random)) * pick({1.0F, 1.0F, 0.37F});
        const ChartInputs entered{pick({30.0F, 20.0F, 45.0F, 5.8F, 0.0F, 60.0F, -30.0F, 90.0F, 89.9F}),
                                  pick({2.0F, 0.0F, 50.0F, 4.2F, -5.0F, 1e6F, 1e30F}),
                                  pick({2.5F, 1.8F, 19.6F, 0.0F, -1.0F, 1e-3F}),
                                  height,
                                  step,
                                  pick({1.5F, 1.0F, 2.0F, 0.8F, 3.3F, -1.5F})};
        const ResultFileSize size = result_file_size(entered);
        const std::uintmax_t written = bytes_written(entered);
        const auto values = ::testing::Message()
                            << entered.friction_angle << " " << entered.cohesion << " " << entered.density
                            << " " << height << " " << step << " " << entered.security_factor;
        ASSERT_GE(size.bound(), written) << values;
        if (describes_a_slope(entered.friction_angle, entered.cohesion, entered.density, height,
                              entered.security_factor)) {
            EXPECT_LE(size.bound() - written, 7U * static_cast<std::uintmax_t>(size.rows)) << values;
        }
    }
    // y beyond the floats at the first row (an empty cell) and with all its 39 digits at the next.
    const ChartInputs beyond{30.0F, 1e30F, 1e-3F, 1e-4F, 1e-6F, 1.5F};
    EXPECT_GE(result_file_size(beyond).bound(), bytes_written(beyond));
    // A million metres in millimetres: 10^9 rows, nearly all of them at 32768 m.
    const ResultFileSize typo = result_file_size({30.0F, 2.0F, 2.5F, 1e6F, 0.001F, 1.5F});
    EXPECT_EQ(typo.rows, 999999952);
    EXPECT_EQ(typo.row, 30U);  // " 32768,00", " 0,38", " 1385,64", two digits, TABs, CR LF
}

}  // namespace
}  // namespace zelm

namespace zelm {
namespace {

// A long workbook tells how far it has come as it goes: once a row while it finds the
// rows' Bishop cells (a search or more each), the rows taken from the sweep so far
// against all of them; writing the rows then takes a moment.
TEST(WorkbookProgress, EveryRowAsItsBishopCellsAreFound) {
    const ChartInputs sand{30.0F, 0.0F, 2.0F, 50.0F, 0.01F, 1.5F};  // 5000 rows; no search without cohesion
    const DesignRun run = DesignRun::swept(sand);
    SweptRows rows(sand);
    std::vector<std::int32_t> told;
    const auto folder =
        std::filesystem::temp_directory_path() / ("zelm-progress-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(folder);
    const WorkbookReport written = write_workbook_at((folder / "progress.xlsx").string(), folder, run, rows,
                                                     {}, [&](std::int32_t done, std::int32_t total) {
                                                         EXPECT_EQ(total, 5000);
                                                         told.push_back(done);
                                                     });
    std::filesystem::remove_all(folder);
    ASSERT_FALSE(written.failure.has_value());
    ASSERT_EQ(told.size(), std::size_t{5000});
    for (std::int32_t row = 1; row <= 5000; ++row) {
        EXPECT_EQ(told[static_cast<std::size_t>(row - 1)], row);
    }
}

// The page writes its workbook a slice of rows at a time, between two frames: the same
// workbook as one written at once (its bytes but for the time it was made, in a few
// compressed bytes of its properties).
TEST(WorkbookProgress, WrittenASliceAtATimeHoldsEveryRow) {
    const ChartInputs sand{30.0F, 0.0F, 2.0F, 50.0F, 0.01F, 1.5F};  // 5000 rows
    const DesignRun run = DesignRun::swept(sand);
    const auto folder =
        std::filesystem::temp_directory_path() / ("zelm-slices-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(folder);
    const auto written = [&](const std::string& name, std::int32_t slice) {
        SweptRows rows(sand);
        auto begun = WorkbookWriter::begin((folder / name).string(), folder, run, rows, {});
        auto& writer = *std::get<std::unique_ptr<WorkbookWriter>>(begun);
        while (!writer.advance(slice)) {
        }
        EXPECT_FALSE(writer.finish().has_value());
        return std::filesystem::file_size(folder / name);
    };
    const auto at_once = written("at_once.xlsx", 5000);
    const auto in_slices = written("in_slices.xlsx", 250);
    std::filesystem::remove_all(folder);
    EXPECT_NEAR(static_cast<double>(in_slices), static_cast<double>(at_once), 16.0);
}

}  // namespace
}  // namespace zelm
