// The grid of the design chart's angles gives pente's own answer, bit for bit, wherever it
// is asked: on the grid it holds, and off it, where it hands over to pente; by x and y,
// and by the key of a row at one y, also as the check compares it with a slope's angle.
// And the rows share out the factors of safety of every friction angle. And a chart of
// its own is what a run, its words, its header and the check read and name.
#include "chart/chart_grid.hpp"
#include "chart/coordinates.hpp"
#include "chart/design_chart.hpp"
#include "chart/float_bits.hpp"
#include "messages/header.hpp"
#include "messages/render.hpp"
#include "messages/warnings.hpp"
#include "sweep/check_answer.hpp"
#include "sweep/sweep.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

namespace zelm {
namespace {

constexpr float inf = std::numeric_limits<float>::infinity();

// The angle's bits, or a value no float has where there is no angle.
std::uint64_t bits(std::optional<float> angle) { return angle ? bits_of(*angle) : std::uint64_t{1} << 32U; }

TEST(ChartGrid, GivesPentesAngleOnTheGridAndOffIt) {
    const DesignChart& chart = design_chart();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    // Every hundredth from below 0 to past the highest threshold (4.2, row 0.10), as the
    // sweep rounds y, and the floats on either side of each; every key around the chart's
    // rows (0.10 to 1.00, with gaps from 0.80 on), and x off the grid within each.
    std::vector<float> ys{nan, inf, -inf, -0.0F, 1e30F, 0.005F, 0.385F, 1e-40F};
    std::vector<float> xs{nan, inf, -0.38F, 1e30F};
    for (int k = -50; k <= 500; ++k) {
        const auto y = static_cast<float>(k / 100.0);
        ys.insert(ys.end(), {y, std::nextafter(y, -inf), std::nextafter(y, inf)});
        xs.insert(xs.end(), {y, std::nextafter(y, inf), y + 0.004F});
    }
    for (const float y : ys) {
        for (const float x : xs) {
            ASSERT_EQ(bits(chart.grid().angle(x, y)), bits(pente(chart, x, y))) << "x " << x << ", y " << y;
        }
        const ChartGrid::AtY at_y = chart.grid().at(y);
        for (int key = -50; key <= 500; ++key) {
            const auto angle = pente(chart, static_cast<float>(key / 100.0), y);
            ASSERT_EQ(bits(at_y.angle(key)), bits(angle)) << key << ", " << y;
            // At least the angle itself, and not the next float above it (nor any, where
            // there is none, or it is not a number).
            const float own = angle.value_or(0.0F);
            ASSERT_EQ(at_y.at_least(key, own), angle && *angle == own) << key << ", " << y;
            ASSERT_FALSE(at_y.at_least(key, std::nextafter(own, 91.0F))) << key << ", " << y;
        }
    }
}

// Every FS reads one row, as the sweep reads it: the FS of each row start one float above
// the last of the row of the next larger x, and no row of x = 0.01 to 1.00 is empty, at
// every hundredth of a degree and at friction angles so small that these FS are below
// the normal floats. Each range is found within a few floats of tan(phi)/x: this whole
// study takes a fraction of a second, and a search that strays takes minutes (the
// test's time limit).
TEST(ChartRows, ShareOutTheFactorsOfSafetyOfEveryFrictionAngle) {
    std::vector<float> phis{1e-42F, 1e-40F, 1e-37F};
    for (int hundredths = 1; hundredths < 9000; ++hundredths) {
        phis.push_back(static_cast<float>(hundredths / 100.0 * std::numbers::pi / 180.0));
    }
    for (const float phi : phis) {
        const auto reads = [phi](float fs) { return row_key(arrondir(A(phi, fs), 2)); };
        auto above = factors_of_safety_on_row(phi, 100);
        for (std::int32_t key = 99; key >= 1; --key) {
            const auto row = factors_of_safety_on_row(phi, key);
            ASSERT_TRUE(above && row) << "phi " << phi << ", row " << key;
            ASSERT_LE(row->lowest, row->highest) << "phi " << phi << ", row " << key;
            ASSERT_EQ(reads(row->lowest), key) << "phi " << phi << ", row " << key;
            ASSERT_EQ(reads(std::nextafter(row->lowest, 0.0F)), key + 1) << "phi " << phi << ", row " << key;
            ASSERT_EQ(std::nextafter(above->highest, inf), row->lowest) << "phi " << phi << ", row " << key;
            above = row;
        }
    }
}

// Row k reads k degrees below y = 1, from x = 0.30 to 0.40.
constexpr auto own_rows = [] {
    std::array<ChartRow, 11> rows{};
    for (std::int32_t k = 30; k <= 40; ++k) {
        rows[static_cast<std::size_t>(k - 30)] = {k, 1.0, 0.0F, 0.0F, 0.0F, 0.0F, static_cast<float>(k)};
    }
    return rows;
}();
const ChartGrid& own_grid();
constexpr DesignChart own{.name = "the test chart",
                          .label = "TEST 9",
                          .catalan_name = "la prova",
                          .rows = own_rows,
                          .fitted = fitted_rows_of(own_rows),
                          .first_cubic_key = 0,
                          .grid = own_grid};
const ChartGrid& own_grid() {
    static const ChartGrid grid(own);
    return grid;
}

TEST(ChartValue, IsWhatARunItsWordsAndTheCheckReadAndName) {
    ChartInputs run{30.0F, 0.1F, 2.0F, 3.0F, 1.0F, 1.65F};  // x = 0.35 on every row
    run.chart = &own;
    const SweepSummary read = sweep(run, [](const SweepRow& row) { return row.angle == 35.0F; });
    EXPECT_EQ(read.rows, 3);
    EXPECT_NE(header_text(run).find("\r\nTEST 9\tFS "), std::string::npos);
    EXPECT_TRUE(chart_title(run).starts_with("TEST 9 "));
    std::vector<std::string> words;
    for (const float fs : {1.0F, 1.65F, 3.0F}) {  // x = 0.58, above its rows; 0.19, below them
        run.cohesion = 0.0F;                      // and a dry slope steeper than the exact angle
        run.security_factor = fs;
        for (const std::string& said : warnings(run, sweep(run, [](const SweepRow&) { return true; }))) {
            if (!said.starts_with("the result file's header")) {  // FS 1.65 shown as 1.6
                words.push_back(said);
            }
        }
    }
    ASSERT_EQ(words.size(), 3U);
    // Its rows share out FS 1.43 to 1.95 at 30 degrees.
    EXPECT_NE(words[0].find("x within 0.30 to 0.40: FS 1.43 to 1.95 "), std::string::npos) << words[0];
    EXPECT_NE(words[2].find("factors of safety up to 1.95:"), std::string::npos) << words[2];
    for (const float angle : {33.0F, 45.0F, 20.0F}) {  // on row 0.33, below the chart, above it
        const SlopeToCheck slope{30.0F, 0.1F, 2.0F, 3.0F, angle, &own};
        words.push_back(render(check_line(slope, check_slope(slope))));
    }
    for (const std::string& line : words) {
        EXPECT_NE(line.find("the test chart"), std::string::npos) << line;
        EXPECT_EQ(line.find(design_chart().name), std::string::npos) << line;
    }
}

}  // namespace
}  // namespace zelm
