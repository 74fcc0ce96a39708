// Bishop's factor of safety on one circle: the values checked, the slope scaled to a
// height of 1, the circle checked to be a slip surface of it, and the answer judged; and
// the answer of a slope without cohesion, a slide along its face.
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

// Whether a circle of the scaled slope (to a relative 10^-9) has its entry on the crest
// (at the crack's bottom, `top`, where there is a crack), its exit on the toe ground, both
// on it, the centre no lower than the entry, and the arc under the toe ground between the
// exit and the toe.
bool slip_surface(const SlipCircle& c, double crest_edge, double top) {
    constexpr double near = 1e-9;
    const double r = c.radius;
    if (!(std::isfinite(c.centre_x) && std::isfinite(c.centre_y) && std::isfinite(r) && r > 0.0 &&
          std::isfinite(c.entry_x) && std::isfinite(c.exit_x))) {
        return false;
    }
    const bool on_circle = std::abs(std::hypot(c.exit_x - c.centre_x, c.centre_y) - r) <= near * r &&
                           std::abs(std::hypot(c.entry_x - c.centre_x, c.centre_y - top) - r) <= near * r;
    const double at_toe = c.centre_y - std::sqrt(std::max(0.0, r * r - c.centre_x * c.centre_x));
    return on_circle && c.exit_x <= 0.0 && c.entry_x >= crest_edge * (1.0 - near) &&
           c.centre_y >= top - near && (c.exit_x == 0.0 || at_toe <= near * r);
}

// The conditions' values as the rules read them: those of a condition the slope is not
// under, its neutral value, which keeps its rule.
double condition_value(const SlopeConditions& on, Field field) {
    switch (field) {
        case Field::pore_pressure_ratio:
            return on.water == PoreWater::ratio ? on.pore_pressure_ratio : 0.0;
        case Field::phreatic_distance:
            return on.water == PoreWater::phreatic ? on.phreatic_distance : 0.0;
        case Field::crack_depth:
            return on.crack == Crack::given ? on.crack_depth : 0.0;
        case Field::seismic_coefficient:
            return on.seismic_coefficient;
        case Field::water_unit_weight:
            return on.water == PoreWater::phreatic || on.water == PoreWater::surface ||
                           (on.crack != Crack::none && on.crack_filled)
                       ? on.water_unit_weight
                       : 1.0;
        default:
            break;
    }
    return std::numeric_limits<double>::quiet_NaN();
}

// The infinite slope's factor of safety without cohesion, under a pore-pressure ratio and
// an earthquake: on a plane parallel to the face, at a depth z measured upright, the soil
// above weighs d z cos(beta) per unit length along it, the water pushes ru d z and the
// earthquake kh d z cos(beta) horizontally, so that the effective normal stress is
// d z (cos^2(beta) - ru - kh sin(beta) cos(beta)) and the shear d z cos(beta) (sin(beta) +
// kh cos(beta)). A tensile normal stress leaves no friction: 0.
double infinite_slope(double phi, double beta, double ratio, double kh) {
    const double sine = std::sin(radians(beta));
    const double cosine = std::cos(radians(beta));
    const double normal = cosine - kh * sine - ratio / cosine;
    return std::max(0.0, std::tan(radians(phi)) * normal / (sine + kh * cosine));
}

}  // namespace

ScaledSlope scaled(const HomogeneousSlope& slope) {
    const SlopeConditions& on = slope.conditions;
    ScaledSlope scaled{std::tan(radians(90.0 - slope.face_angle)),
                       slope.cohesion / (slope.unit_weight * slope.height),
                       std::tan(radians(slope.friction_angle))};
    scaled.water = on.water;
    const double water_weight = on.water_unit_weight / slope.unit_weight;
    switch (on.water) {
        case PoreWater::ratio:
            scaled.pore_pressure_ratio = on.pore_pressure_ratio;
            break;
        case PoreWater::phreatic:
            scaled.water_reach = on.phreatic_distance / slope.height;
            scaled.water_weight = water_weight;
            break;
        case PoreWater::surface:
            scaled.water_weight = water_weight;
            break;
        case PoreWater::dry:
            break;
    }
    if (on.crack == Crack::given && on.crack_depth > 0.0) {
        const double depth = on.crack_depth / slope.height;
        scaled.crack_bottom = 1.0 - depth;
        scaled.crack_thrust = on.crack_filled ? 0.5 * water_weight * depth * depth : 0.0;
    }
    scaled.seismic_coefficient = on.seismic_coefficient;
    return scaled;
}

BishopResult values_without_meaning(const HomogeneousSlope& slope) {
    // A crack reaches no deeper than the slope is high.
    auto rules = bishop_rules;
    rules.at(place_of(bishop_rules, Field::crack_depth)).highest = open_at(slope.height);
    if (auto violation = first_violation(rules, [&](Field field) { return zelm::value_of(slope, field); })) {
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

// Whether the water stands at the ground over the face: saturated to the surface, or a
// phreatic line that reaches the ground no further behind the toe than the crest edge.
bool water_at_face(const HomogeneousSlope& slope) {
    const SlopeConditions& on = slope.conditions;
    return on.water == PoreWater::surface ||
           (on.water == PoreWater::phreatic &&
            on.phreatic_distance <= slope.height * std::tan(radians(90.0 - slope.face_angle)));
}

// The pore-pressure ratio a slide along the face meets: the slope's own, or, where the
// water stands at the face, gamma_w / d, its pressure at a depth z being gamma_w z. A
// phreatic line that reaches the ground behind the crest edge lies below the face all
// along but at the toe: the slide is dry.
double ratio_at_face(const HomogeneousSlope& slope) {
    const SlopeConditions& on = slope.conditions;
    if (on.water == PoreWater::ratio) {
        return on.pore_pressure_ratio;
    }
    return water_at_face(slope) ? on.water_unit_weight / slope.unit_weight : 0.0;
}

bool shallow_is_critical(const HomogeneousSlope& slope) {
    const SlopeConditions& on = slope.conditions;
    return on.crack == Crack::none &&
           (on.water == PoreWater::dry || on.water == PoreWater::ratio || water_at_face(slope));
}

BishopResult shallow_slide(const HomogeneousSlope& slope) {
    const SlopeConditions& on = slope.conditions;
    BishopResult result = refused(BishopReason::none);
    const double ratio = ratio_at_face(slope);
    result.factor_of_safety =
        ratio == 0.0 && on.seismic_coefficient == 0.0
            ? std::tan(radians(slope.friction_angle)) / std::tan(radians(slope.face_angle))
            : infinite_slope(slope.friction_angle, slope.face_angle, ratio, on.seismic_coefficient);
    const double crest_edge = slope.height * std::tan(radians(90.0 - slope.face_angle));
    result.circle = {not_a_number, not_a_number, std::numeric_limits<double>::infinity(), crest_edge, 0.0};
    result.smallest_m_alpha = 1.0;
    result.tension_depth = 0.0;
    result.shallow = true;
    return result;
}

BishopResult judged(const SlipCircle& circle, const ScaledSlope& slope, int count, double height) {
    Slices slices;
    cut_slices(circle, slope, count, slices);
    const Trial trial = factor_of_safety(slices, slope);
    BishopResult result = refused(BishopReason::none);
    result.circle = times(circle, height);
    result.slices = slices.count;
    // Not settled, or settled at 0: Bishop's equation without a positive root.
    if (!trial.settled || trial.factor_of_safety == 0.0) {
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
    result.crack_depth = (1.0 - slope.crack_bottom) * height;
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
    return slices::condition_value(slope.conditions, field);
}

bool dry_and_still(const SlopeConditions& conditions) {
    return conditions.water == PoreWater::dry && conditions.crack == Crack::none &&
           conditions.seismic_coefficient == 0.0;
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
    if (!slices::slip_surface(on_scaled, scaled.crest_edge, scaled.crack_bottom)) {
        return slices::refused(BishopReason::no_slip_circle);
    }
    return slices::judged(on_scaled, scaled, std::clamp(slices, 1, slices::most_slices_asked), slope.height);
}

}  // namespace zelm
