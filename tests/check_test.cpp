// The check of a standing slope against the program's own sweep, over many slopes drawn
// at random from what an engineer meets: an answer "FS a to b" on a row must be what the
// sweep gives at the slope's height for every FS of that range, and the next row must
// give less; "below" and "above" must be what the sweep gives at the chart's ends.
#include "sweep/check.hpp"
#include "messages/warnings.hpp"
#include "numbers/reading.hpp"
#include "numbers/writing.hpp"
#include "sweep/printed_check.hpp"
#include "sweep/sweep.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>

namespace zelm {
namespace {

// A value typed with two decimals, from low to high hundredths, read as the console reads it.
float typed(std::mt19937& random, int low, int high) {
    const auto hundredths = static_cast<int>(random() % static_cast<unsigned>(high - low + 1)) + low;
    const int cents = hundredths % 100;
    const std::string text =
        std::to_string(hundredths / 100) + (cents < 10 ? ".0" : ".") + std::to_string(cents);
    return read_entry(text).value.value();
}

float read_back(const PrintedFactor& printed) { return read_entry(printed.text()).value.value(); }

// The sweep's row at the slope's height for a factor of safety: one step as tall as the slope.
SweepRow swept(const SlopeToCheck& slope, float fs) {
    Sweep rows({slope.friction_angle, slope.cohesion, slope.density, slope.height, slope.height, fs});
    const SweepRow* row = rows.next();
    EXPECT_TRUE(row != nullptr && row->height == slope.height);
    return row != nullptr ? *row : SweepRow{};
}

TEST(Check, AgreesWithTheSweep) {
    std::mt19937 random(20261207);
    std::array<int, 3> verdicts{};
    for (int i = 0; i < 20000; ++i) {
        const SlopeToCheck slope{typed(random, 500, 6000), typed(random, 0, 5000), typed(random, 150, 280),
                                 typed(random, 50, 10000), typed(random, 500, 8900)};
        SCOPED_TRACE(testing::Message() << "check " << slope.friction_angle << " " << slope.cohesion << " "
                                        << slope.density << " " << slope.height << " " << slope.slope_angle);
        const CheckAnswer answer = check_slope(slope);
        ASSERT_NE(answer.verdict, Verdict::no_answer);
        ASSERT_TRUE(answer.row >= 20 && answer.row <= 80);
        ++verdicts.at(static_cast<std::size_t>(answer.verdict));
        const float x = answer.x;
        const auto stands = [&](float fs) {
            const SweepRow row = swept(slope, fs);
            return row.angle && *row.angle >= slope.slope_angle;
        };
        const auto reads = [&](float fs) { return swept(slope, fs).x; };

        // The float range is the row's whole extent, and the printed bounds, typed back,
        // lie in it and are the outermost decimals of their kind that do.
        EXPECT_EQ(reads(answer.fs.lowest), x);
        EXPECT_EQ(reads(answer.fs.highest), x);
        EXPECT_GT(reads(std::nextafter(answer.fs.lowest, 0.0F)), x);
        EXPECT_LT(reads(std::nextafter(answer.fs.highest, INFINITY)), x);
        EXPECT_EQ(reads(read_back(answer.lowest)), x) << answer.lowest.text();
        EXPECT_EQ(reads(read_back(answer.highest)), x) << answer.highest.text();
        EXPECT_GT(reads(read_back({answer.lowest.scaled - 1, answer.lowest.decimals})), x);
        EXPECT_LT(reads(read_back({answer.highest.scaled + 1, answer.highest.decimals})), x);
        // The number a caller is handed for a printed bound is its text, read as a double.
        EXPECT_EQ(answer.lowest.value(), std::stod(answer.lowest.text())) << answer.lowest.text();
        EXPECT_EQ(answer.highest.value(), std::stod(answer.highest.text())) << answer.highest.text();

        // Every row from the chart's smallest FS up to the answer's stands; the answer's
        // at any FS it covers.
        const double tangent = std::tan(static_cast<double>(to_radians(slope.friction_angle)));
        for (std::int32_t key = 80; key > answer.row; --key) {
            const auto fs = static_cast<float>(tangent / (key / 100.0));
            ASSERT_EQ(reads(fs), static_cast<float>(key / 100.0));
            EXPECT_TRUE(stands(fs)) << "row " << key;
        }
        const float inside = answer.fs.lowest + (answer.fs.highest - answer.fs.lowest) / 2.0F;
        if (answer.verdict == Verdict::below_chart) {
            EXPECT_FALSE(stands(answer.fs.lowest));
            EXPECT_FALSE(stands(answer.fs.highest));
            continue;
        }
        for (const float fs : {answer.fs.lowest, inside, answer.fs.highest, read_back(answer.lowest),
                               read_back(answer.highest)}) {
            EXPECT_TRUE(stands(fs)) << fs;
        }
        // Just beyond the range the next row gives less, or the chart ends.
        EXPECT_FALSE(stands(std::nextafter(answer.fs.highest, INFINITY)));
        const float next_printed = read_back({answer.highest.scaled + 1, answer.highest.decimals});
        if (reads(next_printed) == static_cast<float>((answer.row - 1) / 100.0)) {
            EXPECT_FALSE(stands(next_printed)) << next_printed;
        }
    }
    // The slopes drawn reach every kind of answer.
    EXPECT_GT(verdicts[static_cast<std::size_t>(Verdict::on_row)], 5000);
    EXPECT_GT(verdicts[static_cast<std::size_t>(Verdict::below_chart)], 1000);
    EXPECT_GT(verdicts[static_cast<std::size_t>(Verdict::above_chart)], 5000);
}

// Values that describe no slope leave the check without an answer, and the first of them
// as typed (phi C' d H angle) is the one named, with the side of its rule it breaks. A
// vertical face is a slope; a friction angle too small for the chart's rows to be told
// apart in print is refused too, naming the friction angle.
TEST(Check, NamesTheFirstValueThatDescribesNoSlope) {
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        SlopeToCheck slope;
        std::optional<std::size_t> position;
        Broken broken;
    } slopes[] = {
        {{30, 2, 2.5F, 20, 90}, std::nullopt, Broken::below},
        {{0, 2, 2.5F, 20, 35}, 0, Broken::below},
        {{90, -2, 0, 0, 95}, 0, Broken::above},
        {{30, nan, 2.5F, 20, 35}, 1, Broken::not_finite},
        {{30, 2, 0, -1, 0}, 2, Broken::below},
        {{30, 2, 2.5F, 0, 35}, 3, Broken::below},
        {{30, 2, 2.5F, 20, 90.5F}, 4, Broken::above},
    };
    for (const auto& [slope, position, broken] : slopes) {
        const CheckAnswer answer = check_slope(slope);
        EXPECT_EQ(refused_position(answer), position) << "angle " << slope.slope_angle;
        EXPECT_EQ(answer.verdict == Verdict::no_answer, position.has_value());
        if (position) {
            ASSERT_TRUE(answer.violation);
            EXPECT_EQ(answer.violation->rule.field, check_rules.at(*position).field);
            EXPECT_EQ(answer.violation->broken, broken);
        }
    }
    const CheckAnswer too_small = check_slope({1e-10F, 2, 2.5F, 20, 35});
    EXPECT_EQ(too_small.verdict, Verdict::no_answer);
    EXPECT_TRUE(too_small.friction_angle_too_small);
    EXPECT_FALSE(too_small.violation);
    EXPECT_EQ(refused_position(too_small), 0U);
}

// Designs drawn at random as engineers make them, each row's angle checked as printed and
// at its confirmed angle: the confirmed angle is the steepest whole degree whose check
// reaches the run's FS, and every printed angle whose check falls short of it by more
// than the margin is among the rows the run's warning names.
TEST(Check, ConfirmsTheDesignRunOrSaysWhy) {
    std::mt19937 random(29);
    std::int32_t confirmed_rows = 0;
    std::int32_t short_rows = 0;
    for (int i = 0; i < 600; ++i) {
        const ChartInputs design{typed(random, 2000, 4500),
                                 typed(random, 50, 500),
                                 typed(random, 180, 260),
                                 typed(random, 100, 3000),
                                 1.0F,
                                 typed(random, 120, 200)};
        SCOPED_TRACE(testing::Message()
                     << "design " << design.friction_angle << " " << design.cohesion << " " << design.density
                     << " " << design.height << " 1 " << design.security_factor);
        Sweep rows(design);
        std::int32_t short_of_fs = 0;
        while (const SweepRow* row = rows.next()) {
            const auto checked = [&](float angle) {
                return check_slope(
                    {design.friction_angle, design.cohesion, design.density, row->height, angle});
            };
            const auto reaches = [&](const CheckAnswer& answer) {
                return answer.verdict == Verdict::above_chart ||
                       (answer.verdict == Verdict::on_row && answer.row <= key_of(row->x));
            };
            if (row->confirmed) {
                ++confirmed_rows;
                EXPECT_TRUE(reaches(checked(*row->confirmed))) << "H " << row->height;
                if (*row->confirmed < 90.0F) {
                    EXPECT_FALSE(reaches(checked(*row->confirmed + 1.0F))) << "H " << row->height;
                }
            }
            if (row->angle && std::isfinite(*row->angle) && row->x >= 0.2F && row->x <= 0.8F) {
                const double fs = highest_fs_checked(checked(static_cast<float>(whole_value(*row->angle))));
                short_of_fs += fs < design.security_factor * (1.0 - crossing_margin) ? 1 : 0;
            }
        }
        short_rows += short_of_fs;
        EXPECT_EQ(rows.summary().crossings.rows.rows, short_of_fs);
        const auto lines = warnings(design, rows.summary());
        const bool warned = std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
            return line.starts_with("the angles printed check more than 3% below");
        });
        EXPECT_EQ(warned, short_of_fs > 0);
    }
    // The designs drawn reach both sides.
    EXPECT_GT(confirmed_rows, 5000);
    EXPECT_GT(short_rows, 300);
}

}  // namespace
}  // namespace zelm
