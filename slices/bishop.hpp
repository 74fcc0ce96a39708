// Bishop's simplified method of slices on a homogeneous slope, and the search for the
// critical slip circle: the smallest factor of safety over circles that enter the crest
// behind its edge and leave the ground at the toe or beyond it.
//
// Slices are vertical. The factor of safety comes from the moments about the circle's
// centre, the normal force on each slice's base from the slice's vertical equilibrium,
// the forces between slices taken horizontal:
//
//   FS = sum[(C' b + (W - u b) tan(phi)) / m_alpha]
//        / (sum[W sin(alpha)] + sum[kh W (yc - yg)] / R + Pw (yc - yw) / R),
//   m_alpha = cos(alpha) + sin(alpha) tan(phi) / FS,
//
// with W a slice's weight, alpha the inclination of its base, positive where the base
// rises into the slope, b its width and u the pore pressure at its base's middle. The
// earthquake is a horizontal force kh W at each slice's centre of gravity, at height yg,
// pushing the mass out of the slope; the water in a tension crack a horizontal thrust
// Pw = 1/2 gamma_w zc^2 at height yw, a third of the crack's depth above its bottom; yc
// and R are the circle's centre height and radius. Both turn the mass the way its weight
// does, about a centre above them. Neither enters a slice's vertical equilibrium, and so
// m_alpha is the same as on a dry, still slope. FS appears on both sides and is solved for.
//
// The slices' bases are arcs of equal length, so that the slices are narrow where the
// arc is steep; a slice across the toe or the crest edge is cut there. Each slice's
// weight, and its moments about the centre (W R sin(alpha) and W (yc - yg) above), are
// those of the area between the ground and the arc, exactly; alpha is the inclination of
// the base's chord, the arc's halfway along it, and b is the base's length times
// cos(alpha). Without friction the resistance is then the cohesion on the arc's whole
// length, exactly.
//
// The answer depends on phi, the face angle, C'/(d H) and the conditions made
// dimensionless (ru, gamma_w/d, X/H, zc/H, kh) only: the work is done on the slope scaled
// to a height of 1, and the circle scaled back.
#pragma once

#include "entries/rules.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace zelm {

// Where the pore water stands, one way at a time.
enum class PoreWater : std::uint8_t {
    dry,
    // u = ru d h, h the height of soil over the base's middle: the pore pressure a fixed
    // share of the weight of the soil above.
    ratio,
    // Below a phreatic line: at the ground in front of the toe, straight from the toe to
    // the ground a distance X behind it, then along the ground beyond. Where X does not
    // reach past the crest edge, the line is the ground itself. u = gamma_w times the
    // base's middle's depth below the line, where it is below.
    phreatic,
    // Saturated to the ground surface: the phreatic line along the ground everywhere.
    surface,
};

// A vertical tension crack in the crest, where the slip circle ends: the sliding mass is
// cut by it, its arc ending at the crack's bottom.
enum class Crack : std::uint8_t {
    none,
    given,  // of crack_depth
    // As deep as the soil under the crest of the critical circle found without a crack is
    // in tension (BishopResult::tension_depth); then the slope searched again with such a
    // crack.
    automatic,
};

// What the slope stands under besides its weight. The defaults are a dry slope that
// stands still, the method's answer then the same as without conditions.
struct SlopeConditions {
    PoreWater water = PoreWater::dry;
    double pore_pressure_ratio = 0.0;  // ru, where the water is a ratio: at least 0, below 1
    double phreatic_distance = 0.0;    // X, behind the toe, in the height's units: at least 0
    // gamma_w, in the unit weight's units (9.81 kN/m3, 1 Tn/m3): above 0. Read where the
    // water stands at a line or fills the crack.
    double water_unit_weight = 9.81;
    Crack crack = Crack::none;
    double crack_depth = 0.0;   // zc, where given: at least 0 and below the height
    bool crack_filled = false;  // full of water, its thrust pushing the mass out of the slope
    // kh: a horizontal force kh W on each slice, out of the slope (pseudo-static); at
    // least 0, below 1.
    double seismic_coefficient = 0.0;
};

// Whether the conditions leave the slope dry, without crack and still.
bool dry_and_still(const SlopeConditions& conditions);

// A homogeneous slope: a horizontal toe ground, a plane face rising from the toe at (0, 0)
// to the crest edge at (H / tan(beta), H), a horizontal crest beyond. x grows into the
// slope. Any consistent units: m, kPa and kN/m3, or m, Tn/m2 and Tn/m3.
struct HomogeneousSlope {
    double height;          // H, above 0
    double face_angle;      // beta, degrees, above 0 and at most 90
    double friction_angle;  // phi, degrees, at least 0 and below 90
    double cohesion;        // C', at least 0
    double unit_weight;     // d, above 0
    SlopeConditions conditions{};
};

// A slip circle and where its arc meets the ground: it enters the crest at entry_x (at
// or behind the crest edge) and leaves the ground at exit_x (the toe, 0, or beyond it on
// the toe ground, below 0). The slip surface is the arc below the centre between them.
// With a tension crack the arc ends at the crack's bottom, zc below the crest at entry_x,
// and the crack's face closes the sliding mass above it.
struct SlipCircle {
    double centre_x;
    double centre_y;
    double radius;
    double entry_x;
    double exit_x;
};

// Where the method applies. Every circle, searched or given, keeps its arc under the
// ground and its centre no lower than the arc's upper end (on the crest, or at the
// crack's bottom): each slice has a weight, and the base at
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
    // The factor of safety of the critical circle did not settle, or Bishop's equation has
    // no positive root there: under pore water or an earthquake, the bases near upright
    // where the circle enters the crest may leave the mass in equilibrium at no factor of
    // safety, the slope far from standing.
    no_convergence,
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
    // slope's, which is the answer: tan(phi)/tan(beta) on a dry slope that stands still,
    //   tan(phi) (cos(beta) - kh sin(beta) - ru / cos(beta)) / (sin(beta) + kh cos(beta))
    // under a pore-pressure ratio and an earthquake (0 where the effective normal stress
    // on the face would be tensile), the slope saturated to its surface taking ru =
    // gamma_w / d. The circle then has no centre (NaN) and an infinite radius, and runs
    // along the face from the toe to the crest edge. A phreatic line that meets the face
    // at the toe alone leaves the shallow slide dry, and a crack does not reach it: there
    // a circle through the water, or the crack, may give less, and the smaller answer is
    // given.
    bool shallow = false;
    // The depth of the tension crack the circle ends at (0 where none): the one given, or
    // the one found where it is automatic.
    double crack_depth = 0.0;
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
    // A search given a warm start starts from its valleys; false, cold all the same (the
    // start only kept), to weigh what starting warm gains.
    bool warm = true;
};

// The value of `field` in the slope, for the rules of the method (bishop_rules): NaN for
// a field the slope has not.
double value_of(const HomogeneousSlope& slope, Field field);

// The slope's values checked before any circle is tried: the result that says why they
// give no answer, its reason none where they describe a slope.
BishopResult values_checked(const HomogeneousSlope& slope);

// Where the value the method refuses is typed among the slope's (entries/rules.hpp,
// bishop_rules): the violation's place, or the cohesion's for the method's two rules
// that join values. Nothing where the values describe a slope.
std::optional<std::size_t> refused_position(const BishopResult& result);

// Bishop's factor of safety on one circle, its slip surface cut into `slices` slices (1 to
// 128) of equal base length, and those across the toe or the crest edge cut there.
BishopResult bishop_on_circle(const HomogeneousSlope& slope, const SlipCircle& circle, int slices);

// The critical circle: the smallest factor of safety found.
BishopResult critical_circle(const HomogeneousSlope& slope, const CircleSearch& search = {});

// Where a search found its critical circle, in the search's own terms, for the search of a
// slope that differs in its height alone (a design run's next row) to start from: the
// bottom of the lowest valley it found in each family of circles, and the height. Empty,
// a search starts cold. Where the crack is automatic, the search without a crack that
// finds its depth is always cold: the depth of the soil in tension differs from circle to
// circle much more than their factors of safety do, and a warm search's circle, as low as
// a cold one's, may be another.
struct WarmStart {
    struct Valley {
        std::uint8_t family;  // 0: circles through the toe, 1: beyond it
        std::array<double, 3> at;
    };
    std::array<Valley, 2> valleys{};
    int count = 0;
    double height = 0.0;
    int since_cold = 0;  // searches started warm since the last cold one
    // Searches started warm, the cold ones among them that refreshed the valleys, and those
    // cold for want of valleys or for a height too far from the last.
    int warm = 0;
    int refreshed = 0;
    int cold = 0;
    int afresh = 0;  // cold, as without a start, asked for (critical_circle_afresh)
};

// The critical circle, searched from `start`'s valleys where the slope's height is within
// 5% of the last search's: the simplex method from each, on circles cut into a quarter of
// the slices; every fifth such search is cold, on as few slices, so that a valley the
// valleys followed did not know of is found within five searches of coming lowest. Where
// the height is further off, or `start` has no valleys, the search is cold. Either way
// `start` keeps the valleys found, for the next search.
BishopResult critical_circle(const HomogeneousSlope& slope, const CircleSearch& search, WarmStart& start);

// The critical circle searched cold, as critical_circle(slope, search) searches it, to the
// last bit; `start` keeps the valleys found, and the next four searches from it are warm.
BishopResult critical_circle_afresh(const HomogeneousSlope& slope, const CircleSearch& search,
                                    WarmStart& start);

// The horizontal seismic coefficient at which the critical circle's factor of safety falls
// to 1 (within 10^-4), the slope's own kh ignored.
struct CriticalKh {
    // kh; NaN where there is none: the values refused, the slope failing without an
    // earthquake (FS below 1 at kh = 0), FS still above 1 at kh = 0.99, or the method
    // failing on the way.
    double coefficient;
    // FS below 1 already at kh = 0: the slope does not stand as it is.
    bool fails_without_earthquake;
    // The answer at the coefficient (FS about 1), or at the last kh tried where there is
    // none.
    BishopResult result;
};
CriticalKh critical_kh(const HomogeneousSlope& slope, const CircleSearch& search = {});

}  // namespace zelm
