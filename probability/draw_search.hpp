#pragma once

// The factor of safety of each draw of a slope's material by Bishop's method. The draws
// lie near one another: each draw's critical circle is searched from the one the nominal
// material's search found (its valleys), never from the draw before it, so that a draw's
// answer is its own whatever draws come before it.

#include "probability/draws.hpp"
#include "slices/bishop.hpp"

#include <span>

namespace zelm {

// The nominal slope's search, for the draws' searches to start from.
WarmStart nominal_start(const HomogeneousSlope& nominal);

// The critical circle of one draw's slope, searched from `nominal`'s valleys; a draw that
// such a search finds standing by less than 0.2% is searched cold, so that its side of FS
// 1 is a cold search's.
BishopResult draw_circle(const HomogeneousSlope& slope, const WarmStart& nominal);

// Each draw's factor of safety on the slope `slope` (its material the draw's), NaN where a
// draw describes no slope or the method has no answer for it.
void draws_factors_of_safety(std::span<const DrawnMaterial> draws, const HomogeneousSlope& slope,
                             const WarmStart& nominal, std::span<double> fs);

}  // namespace zelm
