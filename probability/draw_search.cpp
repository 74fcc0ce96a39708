#include "probability/draw_search.hpp"

#include "sweep/bishop_columns.hpp"

#include <limits>

namespace zelm {

WarmStart nominal_start(const HomogeneousSlope& nominal) {
    WarmStart start;
    critical_circle(nominal, CircleSearch{}, start);
    return start;
}

BishopResult draw_circle(const HomogeneousSlope& slope, const WarmStart& nominal) {
    WarmStart start = nominal;  // each draw from the same start, none refreshing it
    start.since_cold = 0;
    const BishopResult result = critical_circle(slope, CircleSearch{}, start);
    if (result.reason == BishopReason::none && result.factor_of_safety >= 1.0 &&
        result.factor_of_safety < warm_margin) {
        return critical_circle(slope);  // which side of 1, as a cold search has it
    }
    return result;
}

void draws_factors_of_safety(std::span<const DrawnMaterial> draws, const HomogeneousSlope& slope,
                             const WarmStart& nominal, std::span<double> fs) {
    for (std::size_t i = 0; i < draws.size(); ++i) {
        HomogeneousSlope drawn = slope;
        drawn.friction_angle = draws[i].friction_angle;
        drawn.cohesion = draws[i].cohesion;
        drawn.unit_weight = draws[i].density;
        const BishopResult result = draw_circle(drawn, nominal);
        fs[i] = result.reason == BishopReason::none ? result.factor_of_safety
                                                    : std::numeric_limits<double>::quiet_NaN();
    }
}

}  // namespace zelm
