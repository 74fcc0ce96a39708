// Bishop's cells beside a design run's rows in its workbook: the steepest whole degree
// at which a slope of each row's height reaches the run's FS by Bishop's method, none
// where not even 1 degree does (a cohesionless slope reaches at most tan(phi) / tan(1
// degree)), and 90 where a vertical cut of that height reaches it.
#include "sweep/bishop_columns.hpp"

#include <gtest/gtest.h>

#include <optional>

namespace zelm {
namespace {

TEST(BishopColumns, SteepestWholeDegreeOrNone) {
    const struct {
        ChartInputs run;
        std::optional<int> steepest;  // on every row
    } runs[] = {
        {{5, 0, 2, 3, 1, 10}, std::nullopt},  // tan(5) / tan(1) is 5.0, below FS 10
        {{30, 2, 2.5, 3, 1, 0.05F}, 90},      // a vertical cut 3 m high stands at FS 0.05
    };
    for (const auto& [run, steepest] : runs) {
        SCOPED_TRACE(testing::Message() << "phi " << run.friction_angle << ", FS " << run.security_factor);
        Sweep rows(run);
        BishopColumns columns(run, rows.rows());
        for (const SweepRow* row = rows.next(); row != nullptr; row = rows.next()) {
            EXPECT_EQ(columns.next(*row).steepest, steepest) << "H " << row->height;
        }
        EXPECT_EQ(columns.findings().none_reaches.rows, steepest ? 0 : rows.rows());
        EXPECT_FALSE(columns.findings().security_factor);
    }
}

}  // namespace
}  // namespace zelm
