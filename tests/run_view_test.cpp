// What a run shows of itself beside its files (result/run_view.hpp): the rows on show, a
// short run's all and a long one's first and last hundred; and the curves, one point
// where the angle or the confirmed angle changes and one where a run of equal rows ends.
// And the rows kept as columns (result/run_columns.hpp), which come back as they went in.
#include "result/run_view.hpp"

#include "result/run_columns.hpp"

#include "sweep/rows.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>
#include <string>
#include <vector>

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
    EXPECT_EQ(shown.first_columns().front().size(), 20U);

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
    EXPECT_EQ(ends.last_columns().front().size(), 100U);
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

// Rows of a run, and rows with no angle, an angle or a y that is no finite number and no
// confirmed angle, kept one column at a time: every column reads the same of the row the
// kept rows give back, NaN where it read NaN.
TEST(KeptRows, EachColumnReadsBackWhatItKept) {
    std::vector<SweepRow> rows;
    SweptRows swept(ChartInputs{30, 2, 2.5F, 20, 1, 1.5F});
    while (const SweepRow* row = swept.next()) {
        rows.push_back(*row);
    }
    const float inf = std::numeric_limits<float>::infinity();
    rows.push_back(row_at(21, std::nanf(""), std::nanf("")));
    rows.push_back({22, 0.38F, inf, inf, std::nullopt});
    std::array<std::vector<float>, run_columns.size()> kept;
    for (const SweepRow& row : rows) {
        for_each_run_column(
            [&](const RunColumn& column, std::size_t place) { kept[place].push_back(column.read(row)); });
    }
    KeptRows::Columns columns;
    std::transform(kept.begin(), kept.end(), columns.begin(),
                   [](const auto& c) { return std::span<const float>(c); });
    KeptRows given(columns);
    EXPECT_EQ(given.rows(), static_cast<std::int32_t>(rows.size()));
    for (const SweepRow& row : rows) {
        const SweepRow* back = given.next();
        ASSERT_NE(back, nullptr);
        for_each_run_column([&](const RunColumn& column, std::size_t) {
            const float went = column.read(row);
            const float came = column.read(*back);
            EXPECT_TRUE(std::isnan(went) ? std::isnan(came) : went == came)
                << column.key << " at H " << row.height;
        });
    }
    EXPECT_EQ(given.next(), nullptr);
}

}  // namespace
}  // namespace zelm
