// What a run shows of itself beside its files (result/run_view.hpp): the rows on show, a
// short run's all and a long one's first and last hundred; and the curves, one point
// where the angle or the confirmed angle changes and one where a run of equal rows ends.
#include "result/run_view.hpp"

#include "sweep/rows.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace zelm {
namespace {

std::size_t lines_in(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// A row at height h whose angle and confirmed angle are given (NaN for none).
SweepRow row_at(float height, float angle, float confirmed) {
    const auto kept = [](float v) { return std::isnan(v) ? std::nullopt : std::optional(v); };
    return {height, 0.38F, 0.07F, kept(angle), kept(confirmed)};
}

TEST(RowsOnShow, AShortRunWholeALongOneByItsEnds) {
    const ChartInputs traced{30, 2, 2.5F, 20, 1, 1.5F};
    SweptRows rows(traced);
    RowsOnShow shown(rows.rows(), Angles::chart);
    while (const SweepRow* row = rows.next()) {
        shown.take(*row);
    }
    EXPECT_EQ(lines_in(shown.first_rows()), 20U);
    EXPECT_TRUE(shown.first_rows().starts_with(" 1,00\t 0,38\t 1,39\t90\t\r\n"));
    EXPECT_TRUE(shown.last_rows().empty());
    EXPECT_EQ(shown.first_confirmed().size(), 20U);

    // 10,050 rows: the first hundred and the last hundred, oldest first, as the file has them.
    const ChartInputs long_run{30, 2, 2.5F, 100.5F, 0.01F, 1.5F};
    SweptRows more(long_run);
    RowsOnShow ends(more.rows(), Angles::confirmed);
    std::string last_line;
    while (const SweepRow* row = more.next()) {
        ends.take(*row);
        std::array<char, RowWriter::max_length> line{};
        last_line.assign(line.data(), RowWriter(Angles::confirmed).put(line.data(), *row));
    }
    EXPECT_EQ(more.rows(), 10050);
    EXPECT_EQ(lines_in(ends.first_rows()), 100U);
    EXPECT_EQ(lines_in(ends.last_rows()), 100U);
    EXPECT_EQ(ends.last_confirmed().size(), 100U);
    EXPECT_TRUE(ends.last_rows().ends_with(last_line));
}

TEST(AngleCurve, APointWhereEitherAngleChangesAndWhereARunOfThemEnds) {
    AngleCurve curve;
    const float nan = std::nanf("");
    for (const SweepRow& row : {row_at(1, 90, 90), row_at(2, 90, 90), row_at(3, 90, 90), row_at(4, 86, 85),
                                row_at(5, 86, 84), row_at(6, nan, nan), row_at(7, nan, nan)}) {
        curve.take(row);
    }
    curve.finish();
    // 1 to 3 equal (two points), 4, 5 (the confirmed angle alone changes), 6 to 7 empty
    // (NaN equals NaN here: two points).
    EXPECT_EQ(curve.heights(), (std::vector<double>{1, 3, 4, 5, 6, 7}));
    EXPECT_EQ(curve.angles()[2], 86.0);
    EXPECT_EQ(curve.confirmed()[3], 84.0);
    EXPECT_TRUE(std::isnan(curve.angles().back()));
}

}  // namespace
}  // namespace zelm
