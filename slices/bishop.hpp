// Bishop's simplified method of slices on a homogeneous dry slope, and the search for
// the critical slip circle: the smallest factor of safety over circles that enter the
// crest behind its edge and leave the ground at the toe or beyond it.
//
// Slices are vertical. The factor of safety comes from the moments about the circle's
// centre, the normal force on each slice's base from the slice's vertical equilibrium,
// the forces between slices taken horizontal:
//
//   FS = sum[(C' b + W tan(phi)) / m_alpha] / sum[W sin(alpha)],
//   m_alpha = cos(alpha) + sin(alpha) tan(phi) / FS,
//
// with W a slice's weight, alpha the inclination of its base, positive where the base
// rises into the slope, and b its width. FS appears on both sides and is solved for.
//
// The slices' bases are arcs of equal length, so that the slices are narrow where the
// arc is steep; a slice across the toe or the crest edge is cut there. Each slice's
// weight, and its moment about the centre (W R sin(alpha) above), are those of the area
// between the ground and the arc, exactly; alpha is the inclination of the base's chord,
// the arc's halfway along it, and b is the base's length times cos(alpha). Without
// friction the resistance is then the cohesion on the arc's whole length, exactly.
//
// The answer depends on phi, the face angle and C'/(d H) only: the work is done on the
// slope scaled to a height of 1, and the circle scaled back.
#pragma once

#include "entries/rules.hpp"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace zelm {

// A homogeneous dry slope without load: a horizontal toe ground, a plane face rising
// from the toe at (0, 0) to the crest edge at (H / tan(beta), H), a horizontal crest
// beyond. x grows into the slope. Any consistent units: m, kPa and kN/m3, or m, Tn/m2
// and Tn/m3.
struct HomogeneousSlope {
    double height;          // H, above 0
    double face_angle;      // beta, degrees, above 0 and at most 90
    double friction_angle;  // phi, degrees, at least 0 and below 90
    double cohesion;        // C', at least 0
    double unit_weight;     // d, above 0
};

// A slip circle and where its arc meets the ground: it enters the crest at entry_x (at
// or behind the crest edge) and leaves the ground at exit_x (the toe, 0, or beyond it on
// the toe ground, below 0). The slip surface is the arc below the centre between them.
struct SlipCircle {
    double centre_x;
    double centre_y;
    double radius;
    double entry_x;
    double exit_x;
};

// Where the method applies. Every circle, searched or given, keeps its arc under the
// ground and its centre no lower than the crest: each slice has a weight, and the base at
// the entry rises into the slope at most upright. No slice of negative weight, and no
// base that overhangs, calls for a tension crack to make sense of it. The normal force
// on the bases next to the entry may still come out tensile where C' is large: that is
// told (tension_depth) rather than refused, since the slices' resistance stays positive
// and, without friction, the normal force does not enter FS at all; Taylor's stability
// numbers, which leave tension cracks out, are Bishop's answers too.
//
// Why a factor of safety is not given.
enum class BishopReason : std::uint8_t {
    none,  // the factor of safety is the method's answer
    // A value breaks its rule (entries/rules.hpp, bishop_rules): the result's violation
    // says which, and how.
    broken_rule,
    // The method's own rules, which join values: neither friction nor cohesion, so that
    // nothing resists; and C' / (d H) beyond the range of doubles, no slope to speak of.
    no_strength,
    cohesion_beyond_measure,
    // On the critical circle, m_alpha falls below 0.2 on a slice whose base rises toward
    // the toe. There the normal force, (W - C' b tan(alpha) / FS) / m_alpha, grows out of
    // measure and with it the resistance: the answer would be too high. Steep bases on
    // the crest side make m_alpha small too when phi is small, but their resistance is
    // then at most the cohesion on the base's length, so they are not refused.
    small_m_alpha,
    no_convergence,  // the factor of safety of the critical circle did not settle
    // The circle given does not enter the crest and leave at or beyond the toe with its
    // arc under the ground, or no circle searched has a factor of safety.
    no_slip_circle,
};

// Whether the reason is the slope's values, which describe none (broken_rule to
// cohesion_beyond_measure), rather than the method failing on a slope that is one.
constexpr bool values_refused(BishopReason reason) {
    return reason == BishopReason::broken_rule || reason == BishopReason::no_strength ||
           reason == BishopReason::cohesion_beyond_measure;
}

struct BishopResult {
    double factor_of_safety;  // not a number unless reason is none
    SlipCircle circle;        // the critical circle (or the one the method failed on)
    int slices;               // how many the circle was cut into
    // The smallest m_alpha on the slices whose base rises toward the toe, at the factor
    // of safety found (1 when no base does).
    double smallest_m_alpha;
    // How deep below the crest the slices next to the entry carry a tensile normal force
    // (the same units as the height; 0 when none does). Bishop's method lets the soil
    // there hold tension, as Mohr-Coulomb strength allows: the resistance of such a slice,
    // (C' b + W tan(phi)) / m_alpha, stays positive. A tension crack there would take
    // that resistance away and lower the factor of safety: whether to reckon with one is
    // the engineer's call, and this is the depth to weigh it against.
    double tension_depth;
    BishopReason reason;
    // For broken_rule, the first value, in the order typed, that breaks its rule.
    std::optional<Violation> violation{};
    // Without cohesion the critical slip is a shallow slide parallel to the face: the
    // factor of safety falls as the circle flattens toward the face, down to the infinite
    // slope's tan(phi)/tan(beta), which is the answer. The circle then has no centre (NaN)
    // and an infinite radius, and runs along the face from the toe to the crest edge.
    bool shallow = false;
};

// Tension under the crest worth telling: at least half a centimetre deep (with the height
// in metres), the depth being told to the centimetre.
inline bool in_tension(const BishopResult& result) { return result.tension_depth >= 0.005; }

// How thorough the search for the critical circle is.
struct CircleSearch {
    // Points of the first, coarse, grid of circles along each of its parameters, as a
    // multiple of the usual number (1 to 8).
    int fineness = 1;
    // Local refinements per family of circles (those through the toe, those beyond it),
    // each from the best circle of the grid in another valley (1 to 16).
    int refinements = 2;
    // Slices the slip surface is cut into (1 to 128), their bases of equal length; a
    // slice across the toe or the crest edge is cut there too.
    int slices = 32;
    // The deepest a circle may reach below the toe, in heights of the slope. In a clay
    // without friction on a face flatter than about 53 degrees, deeper circles keep
    // giving a little less: at 3 heights, about 1% more than without end. The ground has
    // to end somewhere.
    double deepest = 3.0;
    // Circles that leave the ground beyond the toe are searched too.
    bool beyond_toe = true;
};

// The value of `field` in the slope, for the rules of the method (bishop_rules): NaN for
// a field the slope has not.
double value_of(const HomogeneousSlope& slope, Field field);

// The slope's values checked before any circle is tried: the result that says why they
// give no answer, its reason none where they describe a slope.
BishopResult values_checked(const HomogeneousSlope& slope);

// Where the value the method refuses is typed among the five (entries/rules.hpp,
// bishop_rules): the violation's place, or the cohesion's for the method's two rules
// that join values. Nothing where the values describe a slope.
std::optional<std::size_t> refused_position(const BishopResult& result);

// Bishop's factor of safety on one circle, its slip surface cut into `slices` slices (1 to
// 128) of equal base length, and those across the toe or the crest edge cut there.
BishopResult bishop_on_circle(const HomogeneousSlope& slope, const SlipCircle& circle, int slices);

// The critical circle: the smallest factor of safety found.
BishopResult critical_circle(const HomogeneousSlope& slope, const CircleSearch& search = {});

}  // namespace zelm
