// Bishop's cells of design runs searched warm beside the same runs searched cold: the rows
// whose steepest degree the warm search makes steeper or flatter than the cold one, and
// the highest ratio of a warm factor of safety to a cold one. 60 runs of 1,000 rows (20 m
// in steps of 2 cm): 5 sets of conditions, phi 20 and 35, C' 5 and 20 kPa, FS 1.1, 1.3
// and 1.6. A study rather than a test: some three minutes.
#include "sweep/bishop_columns.hpp"
#include "sweep/sweep.hpp"

#include <algorithm>
#include <cstdio>

namespace {

struct Conditions {
    const char* name;
    zelm::GivenConditions given;
};

zelm::GivenConditions water_table_4h() {
    zelm::GivenConditions given;
    given.conditions.water = zelm::PoreWater::phreatic;
    given.water_in_heights = 4.0;
    return given;
}

}  // namespace

int main() {
    using zelm::Crack;
    using zelm::PoreWater;
    const Conditions sets[] = {
        {"ru 0.25, kh 0.1",
         {{.water = PoreWater::ratio, .pore_pressure_ratio = 0.25, .seismic_coefficient = 0.1}}},
        {"water table 4H", water_table_4h()},
        {"kh 0.2, crack as deep as the tension", {{.crack = Crack::automatic, .seismic_coefficient = 0.2}}},
        {"ru 0.4", {{.water = PoreWater::ratio, .pore_pressure_ratio = 0.4}}},
        {"wet crack 1 m, kh 0.05",
         {{.crack = Crack::given, .crack_depth = 1.0, .crack_filled = true, .seismic_coefficient = 0.05}}},
    };
    int steeper = 0;
    int flatter = 0;
    long rows = 0;
    double highest = 1.0;
    for (const Conditions& set : sets) {
        for (const float phi : {20.0F, 35.0F}) {
            for (const float cohesion : {5.0F, 20.0F}) {
                for (const float fs : {1.1F, 1.3F, 1.6F}) {
                    zelm::ChartInputs run{phi, cohesion, 19.6F, 20.0F, 0.02F, fs, zelm::Units::si};
                    run.conditions = set.given;
                    zelm::CircleSearch cold_search;
                    cold_search.warm = false;
                    zelm::Sweep warm_rows(run);
                    zelm::Sweep cold_rows(run);
                    zelm::BishopColumns warm(run, warm_rows.rows());
                    zelm::BishopColumns cold(run, cold_rows.rows(), cold_search);
                    for (const zelm::SweepRow* row = warm_rows.next(); row != nullptr;
                         row = warm_rows.next()) {
                        const zelm::BishopCells started_warm = warm.next(*row);
                        const zelm::BishopCells started_cold = cold.next(*cold_rows.next());
                        ++rows;
                        const int warm_degree = started_warm.steepest.value_or(0);
                        const int cold_degree = started_cold.steepest.value_or(0);
                        if (warm_degree != cold_degree) {
                            (warm_degree > cold_degree ? steeper : flatter) += 1;
                            std::printf("%s, phi %g, C' %g, FS %g, H %.2f: %d warm, %d cold\n", set.name, phi,
                                        cohesion, fs, row->height, warm_degree, cold_degree);
                        }
                        if (started_warm.factor_of_safety && started_cold.factor_of_safety) {
                            highest = std::max(
                                highest, *started_warm.factor_of_safety / *started_cold.factor_of_safety);
                        }
                    }
                }
            }
        }
    }
    std::printf("%ld rows: %d steeper warm than cold, %d flatter; a warm FS at most %.5f of a cold one\n",
                rows, steeper, flatter, highest);
}
