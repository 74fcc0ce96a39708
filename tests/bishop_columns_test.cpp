// Bishop's cells beside a design run's rows in its workbook: the steepest whole degree
// at which a slope of each row's height reaches the run's FS by Bishop's method, none
// where not even 1 degree does (a cohesionless slope reaches at most tan(phi) / tan(1
// degree)), and 90 where a vertical cut of that height reaches it.
#include "sweep/bishop_columns.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace zelm {
namespace {

TEST(BishopColumns, SteepestWholeDegreeOrNone) {
    const struct {
        ChartInputs run;
        std::optional<int> steepest;  // on every row
        bool fs_not_above_0;          // no degree is looked for
    } runs[] = {
        {{5, 0, 2, 3, 1, 10}, std::nullopt, false},   // tan(5) / tan(1) is 5.0, below FS 10
        {{30, 2, 2.5, 3, 1, 0.05F}, 90, false},       // a vertical cut 3 m high stands at FS 0.05
        {{30, 2, 2.5, 3, 1, 0}, std::nullopt, true},  // every slope reaches FS 0: none is asked
    };
    for (const auto& [run, steepest, fs_not_above_0] : runs) {
        SCOPED_TRACE(testing::Message() << "phi " << run.friction_angle << ", FS " << run.security_factor);
        Sweep rows(run);
        BishopColumns columns(run, rows.rows());
        for (const SweepRow* row = rows.next(); row != nullptr; row = rows.next()) {
            EXPECT_EQ(columns.next(*row).steepest, steepest) << "H " << row->height;
        }
        const BishopFindings& found = columns.findings();
        EXPECT_EQ(found.none_reaches.rows, steepest || fs_not_above_0 ? 0 : rows.rows());
        EXPECT_EQ(found.security_factor, fs_not_above_0);
    }
}

// A row lower than the one before is searched from 90 degrees, not from the steeper
// row's degree: a lower slope stands steeper. Its cells are those of a column that took
// it alone.
TEST(BishopColumns, ALowerRowAfterAHigherOneSearchedAfresh) {
    const ChartInputs run{30, 20, 19.6F, 12, 4, 1.3F, Units::si};
    std::vector<SweepRow> rows;
    Sweep swept(run);
    for (const SweepRow* row = swept.next(); row != nullptr; row = swept.next()) {
        rows.insert(rows.begin(), *row);  // the highest first
    }
    BishopColumns falling(run, static_cast<std::int32_t>(rows.size()));
    for (const SweepRow& row : rows) {
        BishopColumns alone(run, 1);
        EXPECT_EQ(falling.next(row).steepest, alone.next(row).steepest) << "H " << row.height;
    }
}

// An automatic crack is as deep as the soil in tension under the crest of the circle found
// without one; a cohesionless slope holds none: no crack, and no second search with one
// (nor a start kept for it).
TEST(BishopColumns, NoCrackAndNoSecondSearchWhereNoSoilIsInTension) {
    ChartInputs run{35, 0, 19.6F, 10, 1, 1.3F, Units::si};
    run.conditions.conditions = {.crack = Crack::automatic};
    Sweep rows(run);
    BishopColumns columns(run, rows.rows());
    for (const SweepRow* row = rows.next(); row != nullptr; row = rows.next()) {
        columns.next(*row);
    }
    EXPECT_EQ(columns.findings().in_tension.rows, 0);
    const BishopColumns::Searches searched = columns.searches();
    EXPECT_EQ(searched.warm + searched.cold + searched.refreshing, 0);
}

// Where the cohesion counts, the slices under the crest of a printed angle's critical
// circle are in tension, which the workbook tells; a cohesionless slope has none.
TEST(BishopColumns, PrintedAnglesInTensionUnderTheCrest) {
    const struct {
        ChartInputs run;
        std::int32_t in_tension;
    } runs[] = {
        {{30, 2, 2.5, 3, 1, 1.5}, 3},  // 90, 86 and 77 degrees
        {{35, 0, 2, 3, 1, 1.2F}, 0},
    };
    for (const auto& [run, in_tension] : runs) {
        SCOPED_TRACE(testing::Message() << "C' " << run.cohesion);
        Sweep rows(run);
        BishopColumns columns(run, rows.rows());
        for (const SweepRow* row = rows.next(); row != nullptr; row = rows.next()) {
            EXPECT_TRUE(columns.next(*row).factor_of_safety) << "H " << row->height;
        }
        EXPECT_EQ(columns.findings().in_tension.rows, in_tension);
    }
}

// Rows whose slope Bishop's method refuses: under the value that breaks its rule (the
// run's, or the row's height as printed, 0,00 below half a centimetre), or under the
// method's own rule that joins the run's values.
TEST(BishopColumns, RefusedRowsByValueOrRule) {
    const auto height = place_of(bishop_rules, Field::slope_height);
    const auto density = place_of(bishop_rules, Field::density);
    const struct {
        ChartInputs run;
        std::optional<std::size_t> broken;  // the value's place, or the method's rule
        Broken how;
    } runs[] = {
        {{30, 2, -1, 3, 1, 1.5F}, density, Broken::below},
        {{30, 2, 2.5F, 0.004F, 0.001F, 1.5F}, height, Broken::below},
        {{0, 0, 2.5F, 3, 1, 1.5F}, std::nullopt, Broken::below},
    };
    for (const auto& [run, broken, how] : runs) {
        Sweep rows(run);
        BishopColumns columns(run, rows.rows());
        for (const SweepRow* row = rows.next(); row != nullptr; row = rows.next()) {
            const BishopCells cells = columns.next(*row);
            EXPECT_FALSE(cells.factor_of_safety || cells.steepest) << "H " << row->height;
        }
        const BishopFindings& found = columns.findings();
        if (broken) {
            EXPECT_EQ(found.broken.at(*broken).rows.rows, rows.rows());
            ASSERT_TRUE(found.broken.at(*broken).violation);
            EXPECT_EQ(found.broken.at(*broken).violation->broken, how);
        } else {
            EXPECT_EQ(found.refused.at(static_cast<std::size_t>(BishopReason::no_strength)).rows,
                      rows.rows());
        }
    }
}

// Under conditions each search starts warm, from the previous row's at the same degree: its
// cells are no less safe than a cold search's beyond the search's own tolerance, the factor
// of safety at most 0.6% above, the steepest degree at most one.
TEST(BishopColumns, WarmCellsAsSafeAsColdOnes) {
    ChartInputs run{30, 20, 19.6F, 6, 0.05F, 1.3F, Units::si};
    run.conditions.conditions = {
        .water = PoreWater::ratio, .pore_pressure_ratio = 0.25, .seismic_coefficient = 0.1};
    CircleSearch cold;
    cold.warm = false;
    Sweep warm_rows(run);
    Sweep cold_rows(run);
    BishopColumns warm(run, warm_rows.rows());
    BishopColumns cold_columns(run, cold_rows.rows(), cold);
    for (const SweepRow* row = warm_rows.next(); row != nullptr; row = warm_rows.next()) {
        const BishopCells started_warm = warm.next(*row);
        const BishopCells started_cold = cold_columns.next(*cold_rows.next());
        ASSERT_TRUE(started_warm.factor_of_safety && started_cold.factor_of_safety) << "H " << row->height;
        EXPECT_LE(*started_warm.factor_of_safety, *started_cold.factor_of_safety * 1.006 + 0.001)
            << "H " << row->height;
        EXPECT_LE(started_warm.steepest.value_or(0), started_cold.steepest.value_or(0))
            << "H " << row->height;
    }
    EXPECT_GT(warm.searches().warm, warm_rows.rows());
    EXPECT_EQ(cold_columns.searches().warm, 0);
    // After four searches started warm at a degree the fifth is cold, to refresh its
    // valleys; a degree searched first starts warm from the valleys of one beside it.
    EXPECT_GT(warm.searches().refreshing, 0);
    EXPECT_LE(4 * warm.searches().refreshing, warm.searches().warm);
    EXPECT_GT(warm.searches().warm, 3 * warm.searches().cold);
}

// A dry slope standing still: its first 2,000 rows searched cold, their cells those of a
// cold search to the last bit, as they were before the rows after them had any; those
// rows searched warm, their steepest degree no steeper than a cold search's. Circles cut
// into 8 slices, to keep the test short.
TEST(BishopColumns, ADrySlopesFirstRowsColdTheRestWarm) {
    const ChartInputs run{30, 20, 19.6F, 16.796875F, 0.0078125F, 1.3F, Units::si};
    CircleSearch warm_search;
    warm_search.slices = 8;
    CircleSearch cold_search = warm_search;
    cold_search.warm = false;
    Sweep warm_rows(run);
    Sweep cold_rows(run);
    ASSERT_EQ(warm_rows.rows(), rows_searched_cold + 150);
    BishopColumns warm(run, warm_rows.rows(), warm_search);
    BishopColumns cold(run, cold_rows.rows(), cold_search);
    int row_number = 0;
    for (const SweepRow* row = warm_rows.next(); row != nullptr; row = warm_rows.next()) {
        const BishopCells started_warm = warm.next(*row);
        const BishopCells started_cold = cold.next(*cold_rows.next());
        if (++row_number <= rows_searched_cold) {
            ASSERT_EQ(started_warm.factor_of_safety, started_cold.factor_of_safety) << "H " << row->height;
            ASSERT_EQ(started_warm.steepest, started_cold.steepest) << "H " << row->height;
            ASSERT_EQ(warm.searches().warm, 0);
        } else {
            EXPECT_LE(started_warm.steepest.value_or(0), started_cold.steepest.value_or(0))
                << "H " << row->height;
        }
    }
    EXPECT_GT(warm.searches().warm, 150);
}

}  // namespace
}  // namespace zelm
