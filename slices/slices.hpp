// The slope scaled to a height of 1 and a unit weight of 1, a circle on it cut into
// slices, and Bishop's factor of safety of those slices. Shared by the check of one
// circle and the search.
#pragma once

#include "slices/bishop.hpp"

#include <array>

namespace zelm::slices {

inline constexpr int most_slices_asked = 128;
inline constexpr int most_slices = most_slices_asked + 2;  // and those cut at the toe and the crest edge

// The slope's shape and strength with H = 1 and d = 1.
struct ScaledSlope {
    double crest_edge;  // x of the crest edge: 1 / tan(beta)
    double cohesion;    // C' / (d H)
    double tan_phi;
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
};

// The circle's arc cut into `count` slices of equal base length, and those across the toe
// or the crest edge cut there.
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
// (entry_x, 1) with an angle of 2 theta at its centre, bulging under the chord.
SlipCircle circle_on_chord(double exit_x, double entry_x, double theta);

// The slope scaled to H = 1 and d = 1; and, where its values give no answer, the result
// that says why (its reason none where they describe a slope).
ScaledSlope scaled(const HomogeneousSlope& slope);
BishopResult values_without_meaning(const HomogeneousSlope& slope);

// No answer, for a reason.
BishopResult refused(BishopReason reason);

// The answer of a slope without cohesion: a shallow slide parallel to the face.
BishopResult shallow_slide(const HomogeneousSlope& slope);

// Bishop's answer on a circle of the scaled slope, the circle scaled back to `height`.
BishopResult judged(const SlipCircle& circle, const ScaledSlope& slope, int count, double height);

}  // namespace zelm::slices
