// The slope scaled to a height of 1 and a unit weight of 1, a circle on it cut into
// slices, and Bishop's factor of safety of those slices. Shared by the check of one
// circle and the search.
#pragma once

#include "slices/bishop.hpp"

#include <array>

namespace zelm::slices {

inline constexpr int most_slices_asked = 128;
inline constexpr int most_slices = most_slices_asked + 2;  // and those cut at the toe and the crest edge

// The slope's shape, strength and conditions with H = 1 and d = 1.
struct ScaledSlope {
    double crest_edge;  // x of the crest edge: 1 / tan(beta)
    double cohesion;    // C' / (d H)
    double tan_phi;
    PoreWater water = PoreWater::dry;
    double pore_pressure_ratio = 0.0;  // ru
    double water_weight = 0.0;         // gamma_w / d
    // Where the phreatic line meets the ground, X / H; at or before the crest edge, the
    // line is the ground.
    double water_reach = 0.0;
    double crack_bottom = 1.0;  // the height of the crack's bottom, 1 - zc / H (1: none)
    double crack_thrust = 0.0;  // of the water in the crack, 1/2 gamma_w zc^2 / (d H^2)
    double seismic_coefficient = 0.0;
};

// The slip surface's slices, from the exit to the entry.
struct Slices {
    int count;
    std::array<double, most_slices> base_length;
    std::array<double, most_slices> weight;
    std::array<double, most_slices> driving;      // the weight's moment about the centre over R
    std::array<double, most_slices> base_height;  // of the base's middle, above the toe
    std::array<double, most_slices> sin_alpha;
    std::array<double, most_slices> cos_alpha;
    std::array<double, most_slices> pore_pressure;  // u at the base's middle
    // The sum of the weights' moments about the centre's height over R, W (yc - yg) / R:
    // kh times it is the earthquake's driving moment over R.
    double seismic_arm;
    double crack_push;  // the crack water's driving moment over R
};

// The circle's arc cut into `count` slices of equal base length, and those across the toe
// or the crest edge cut there; its upper end at the crack's bottom where the slope has a
// crack, on the crest otherwise.
void cut_slices(const SlipCircle& circle, const ScaledSlope& slope, int count, Slices& slices);
// The same on a dry slope without crack.
void cut_slices(const SlipCircle& circle, double crest_edge, int count, Slices& slices);

// Bishop's factor of safety of the slices: infinite where nothing drives the mass
// toward the toe; `settled` false where the iteration does not settle.
struct Trial {
    double factor_of_safety;
    bool settled;
};
Trial factor_of_safety(const Slices& slices, const ScaledSlope& slope);

// m_alpha at a factor of safety, smallest over the slices whose base rises toward the
// toe (1 where none does).
double smallest_m_alpha(const Slices& slices, const ScaledSlope& slope, double factor_of_safety);

// The depth below the crest of the slices next to the entry whose base carries a
// tensile normal force at this factor of safety.
double tension_depth(const Slices& slices, const ScaledSlope& slope, double factor_of_safety);

// The circle whose arc spans the chord from the exit (exit_x, 0) to the entry
// (entry_x, top) with an angle of 2 theta at its centre, bulging under the chord.
SlipCircle circle_on_chord(double exit_x, double entry_x, double theta, double top = 1.0);

// The slope scaled to H = 1 and d = 1; and, where its values give no answer, the result
// that says why (its reason none where they describe a slope).
ScaledSlope scaled(const HomogeneousSlope& slope);
BishopResult values_without_meaning(const HomogeneousSlope& slope);

// No answer, for a reason.
BishopResult refused(BishopReason reason);

// The answer of a slope without cohesion: a shallow slide parallel to the face.
BishopResult shallow_slide(const HomogeneousSlope& slope);

// Whether a slide along the face, without cohesion, is the critical slip: the pore
// pressure a ratio, or the water at the ground over the face, and the earthquake, all of
// which grow with depth as the weight does, so that no circle does worse than the slide.
// A phreatic line below the face, or a crack, is not like that.
bool shallow_is_critical(const HomogeneousSlope& slope);

// Bishop's answer on a circle of the scaled slope, the circle scaled back to `height`.
BishopResult judged(const SlipCircle& circle, const ScaledSlope& slope, int count, double height);

}  // namespace zelm::slices
