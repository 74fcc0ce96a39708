#include "sweep/conditions.hpp"

#include "sweep/check.hpp"

namespace zelm {

SlopeConditions conditions_at(const GivenConditions& given, double height) {
    SlopeConditions conditions = given.conditions;
    if (given.water_in_heights) {
        conditions.phreatic_distance = *given.water_in_heights * height;
    }
    return conditions;
}

HomogeneousSlope homogeneous(const SlopeToCheck& slope, const GivenConditions& given) {
    return {slope.height,   slope.slope_angle, slope.friction_angle,
            slope.cohesion, slope.density,     conditions_at(given, slope.height)};
}

}  // namespace zelm
