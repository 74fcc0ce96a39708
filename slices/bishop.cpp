// Bishop's factor of safety on one circle: the values checked, the slope scaled to a
// height of 1, the circle checked to be a slip surface of it, and the answer judged.
#include "slices/bishop.hpp"
#include "slices/slices.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace zelm::slices {
namespace {

constexpr double not_a_number = std::numeric_limits<double>::quiet_NaN();

double radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

SlipCircle times(const SlipCircle& circle, double factor) {
    return {circle.centre_x * factor, circle.centre_y * factor, circle.radius * factor,
            circle.entry_x * factor, circle.exit_x * factor};
}

// Whether a circle of the scaled slope (to a relative 10^-9) has its entry on the crest,
// its exit on the toe ground, both on it, the centre no lower than the crest, and the arc
// under the toe ground between the exit and the toe.
bool slip_surface(const SlipCircle& c, double crest_edge) {
    constexpr double near = 1e-9;
    const double r = c.radius;
    if (!(std::isfinite(c.centre_x) && std::isfinite(c.centre_y) && std::isfinite(r) && r > 0.0 &&
          std::isfinite(c.entry_x) && std::isfinite(c.exit_x))) {
        return false;
    }
    const bool on_circle = std::abs(std::hypot(c.exit_x - c.centre_x, c.centre_y) - r) <= near * r &&
                           std::abs(std::hypot(c.entry_x - c.centre_x, c.centre_y - 1.0) - r) <= near * r;
    const double at_toe = c.centre_y - std::sqrt(std::max(0.0, r * r - c.centre_x * c.centre_x));
    return on_circle && c.exit_x <= 0.0 && c.entry_x >= crest_edge * (1.0 - near) &&
           c.centre_y >= 1.0 - near && (c.exit_x == 0.0 || at_toe <= near * r);
}

}  // namespace

ScaledSlope scaled(const HomogeneousSlope& slope) {
    return {std::tan(radians(90.0 - slope.face_angle)), slope.cohesion / (slope.unit_weight * slope.height),
            std::tan(radians(slope.friction_angle))};
}

BishopResult values_without_meaning(const HomogeneousSlope& slope) {
    if (auto violation =
            first_violation(bishop_rules, [&](Field field) { return zelm::value_of(slope, field); })) {
        BishopResult result = refused(BishopReason::broken_rule);
        result.violation = violation;
        return result;
    }
    if (slope.friction_angle == 0.0 && slope.cohesion == 0.0) {
        return refused(BishopReason::no_strength);
    }
    // C' / (d H) beyond the range of doubles: no slope to speak of.
    if (!std::isfinite(scaled(slope).cohesion)) {
        return refused(BishopReason::cohesion_beyond_measure);
    }
    return refused(BishopReason::none);
}

BishopResult refused(BishopReason reason) {
    return {not_a_number, {}, 0, not_a_number, not_a_number, reason};
}

BishopResult shallow_slide(const HomogeneousSlope& slope) {
    BishopResult result = refused(BishopReason::none);
    result.factor_of_safety = std::tan(radians(slope.friction_angle)) / std::tan(radians(slope.face_angle));
    const double crest_edge = slope.height * std::tan(radians(90.0 - slope.face_angle));
    result.circle = {not_a_number, not_a_number, std::numeric_limits<double>::infinity(), crest_edge, 0.0};
    result.smallest_m_alpha = 1.0;
    result.tension_depth = 0.0;
    result.shallow = true;
    return result;
}

BishopResult judged(const SlipCircle& circle, const ScaledSlope& slope, int count, double height) {
    Slices slices;
    cut_slices(circle, slope.crest_edge, count, slices);
    const Trial trial = factor_of_safety(slices, slope);
    BishopResult result = refused(BishopReason::none);
    result.circle = times(circle, height);
    result.slices = slices.count;
    if (!trial.settled) {
        result.reason = BishopReason::no_convergence;
        return result;
    }
    if (!(trial.factor_of_safety < std::numeric_limits<double>::infinity())) {
        result.reason = BishopReason::no_slip_circle;  // nothing drives the mass toward the toe
        return result;
    }
    result.smallest_m_alpha = smallest_m_alpha(slices, slope, trial.factor_of_safety);
    result.tension_depth = tension_depth(slices, slope, trial.factor_of_safety) * height;
    if (result.smallest_m_alpha < 0.2) {
        result.reason = BishopReason::small_m_alpha;
        return result;
    }
    result.factor_of_safety = trial.factor_of_safety;
    return result;
}

}  // namespace zelm::slices

namespace zelm {

double value_of(const HomogeneousSlope& slope, Field field) {
    switch (field) {
        case Field::friction_angle:
            return slope.friction_angle;
        case Field::cohesion:
            return slope.cohesion;
        case Field::density:
            return slope.unit_weight;
        case Field::slope_height:
            return slope.height;
        case Field::slope_angle:
            return slope.face_angle;
        default:
            break;
    }
    return std::numeric_limits<double>::quiet_NaN();
}

BishopResult values_checked(const HomogeneousSlope& slope) { return slices::values_without_meaning(slope); }

std::optional<std::size_t> refused_position(const BishopResult& result) {
    if (result.violation) {
        return result.violation->position;
    }
    if (values_refused(result.reason)) {  // the rules that join values name the cohesion
        return place_of(bishop_rules, Field::cohesion);
    }
    return std::nullopt;
}

BishopResult bishop_on_circle(const HomogeneousSlope& slope, const SlipCircle& circle, int slices) {
    if (BishopResult refused = slices::values_without_meaning(slope); refused.reason != BishopReason::none) {
        return refused;
    }
    const slices::ScaledSlope scaled = slices::scaled(slope);
    const SlipCircle on_scaled = slices::times(circle, 1.0 / slope.height);
    if (!slices::slip_surface(on_scaled, scaled.crest_edge)) {
        return slices::refused(BishopReason::no_slip_circle);
    }
    return slices::judged(on_scaled, scaled, std::clamp(slices, 1, slices::most_slices_asked), slope.height);
}

}  // namespace zelm
