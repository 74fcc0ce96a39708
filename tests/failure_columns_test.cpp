// The workbook's probability of failure beside a design run's rows: each row's slope,
// as its Bishop FS cell answers it, searched again in every draw of a material drawn
// uncertain.
#include "probability/failure_columns.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace zelm {
namespace {

struct RowCells {
    BishopCells bishop;
    FailureCells failure;
};

// Every row of `run` with its Bishop cells and its cells of the probability of failure.
std::vector<RowCells> cells_of(const ChartInputs& run, const ShouldStop& stop = {}) {
    Sweep rows(run);
    BishopColumns bishop(run, rows.rows());
    FailureColumns failure(run);
    std::vector<RowCells> cells;
    for (const SweepRow* row = rows.next(); row != nullptr; row = rows.next()) {
        const BishopCells found = bishop.next(*row);
        cells.push_back({found, failure.next(*row, found, stop)});
    }
    return cells;
}

ChartInputs uncertain(ChartInputs run, float phi_sd, float c_sd, std::int32_t draws) {
    run.uncertainty = MaterialUncertainty{phi_sd, c_sd, draws, 1};
    return run;
}

// With both standard deviations 0 every draw is the run's own material: a row fails in
// all of them where its Bishop FS is below 1 and in none where it is at least 1, under
// water and a crack as dry. The upper bound of none failing in n draws is Wilson's,
// z^2 / (n + z^2); of all failing, 1. A row without a Bishop FS has no cells.
TEST(FailureColumns, AKnownMaterialFailsWhereBishopsFsIsBelowOne) {
    GivenConditions wet;
    wet.conditions.water = PoreWater::ratio;
    wet.conditions.pore_pressure_ratio = 0.3;
    GivenConditions cracked;
    cracked.conditions.crack = Crack::given;
    cracked.conditions.crack_depth = 3.0;
    ChartInputs dry{30, 2, 2.5F, 12, 2, 0.9F};
    ChartInputs under_water{30, 2, 2.5F, 12, 2, 1.2F};
    under_water.conditions = wet;
    ChartInputs with_a_crack{30, 20, 19.6F, 10, 2, 1.1F, Units::si};
    with_a_crack.conditions = cracked;
    constexpr double z2 = 1.959963984540054 * 1.959963984540054;
    int failing = 0;
    int standing = 0;
    int empty = 0;
    for (const ChartInputs& run : {dry, under_water, with_a_crack}) {
        for (const auto& [bishop, failure] : cells_of(uncertain(run, 0, 0, 20))) {
            SCOPED_TRACE(testing::Message() << "Bishop FS " << bishop.factor_of_safety.value_or(-1));
            if (!bishop.factor_of_safety) {
                EXPECT_FALSE(failure.probability || failure.upper);
                ++empty;
                continue;
            }
            const bool fails = *bishop.factor_of_safety < 1.0;
            EXPECT_EQ(failure.probability, fails ? 1.0 : 0.0);
            ASSERT_TRUE(failure.upper);
            EXPECT_EQ(*failure.upper, fails ? 1.0 : std::ceil(z2 / (20 + z2) * 1e6) / 1e6);  // rounded up
            ++(fails ? failing : standing);
        }
    }
    EXPECT_GT(failing, 0);
    EXPECT_GT(standing, 0);
    EXPECT_GT(empty, 0);  // the crack's first row, no deeper than the crack
}

// The wider the spread of the friction angle and the cohesion about the values entered,
// the likelier a slope designed to FS 1.3 is to fail; the bound lies above the share.
// With no cohesion entered the cohesion is drawn normal about 0, never below it.
TEST(FailureColumns, FailureGrowsWithTheSpread) {
    const ChartInputs run{30, 2, 2.5F, 10, 2, 1.3F};
    std::vector<double> sums;
    for (const auto& [phi_sd, c_sd] : {std::pair{0.5F, 0.1F}, std::pair{3.0F, 0.5F}, std::pair{6.0F, 1.0F}}) {
        double sum = 0.0;
        for (const auto& [bishop, failure] : cells_of(uncertain(run, phi_sd, c_sd, 200))) {
            ASSERT_TRUE(failure.probability && failure.upper);
            EXPECT_GE(*failure.upper, *failure.probability);
            sum += *failure.probability;
        }
        sums.push_back(sum);
    }
    EXPECT_EQ(sums[0], 0.0);
    EXPECT_GT(sums[1], sums[0]);
    EXPECT_GT(sums[2], sums[1]);
    const UncertainMaterial cohesionless =
        uncertain_material(ChartInputs{35, 0, 2, 5, 1, 1.2F}, {2, 1, 10, 1});
    EXPECT_EQ(cohesionless.cohesion.spread, Spread::normal);
    EXPECT_EQ(cohesionless.density.spread, Spread::known);
    for (const auto& [bishop, failure] : cells_of(uncertain(ChartInputs{35, 0, 2, 4, 2, 1.2F}, 2, 1, 50))) {
        EXPECT_TRUE(failure.probability);
    }
}

// A stop asked for between two of a row's draws leaves its cells empty.
TEST(FailureColumns, AStopLeavesTheRowEmpty) {
    for (const auto& [bishop, failure] :
         cells_of(uncertain({30, 2, 2.5F, 4, 2, 1.3F}, 3, 1, 600), [] { return true; })) {
        EXPECT_TRUE(bishop.factor_of_safety);
        EXPECT_FALSE(failure.probability || failure.upper);
    }
}

}  // namespace
}  // namespace zelm
