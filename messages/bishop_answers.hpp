// Why Bishop's method gives a slope no factor of safety, in one sentence, as Python's
// warning, the page, --bishop and its usage errors tell it; and which of the slope's
// five values is at fault.
#pragma once

#include "slices/bishop.hpp"
#include "sweep/check.hpp"

#include <cstddef>
#include <string>

namespace zelm {

// Which of the five values, in the order they are typed (0 the friction angle, 1 the
// cohesion, 2 the density, 3 the height, 4 the slope angle), the method refuses: the
// cohesion where neither friction nor cohesion is given; 5 where the values describe a
// slope and the method fails on it.
std::size_t bishop_argument(BishopReason why);

// Why there is no factor of safety, as one sentence: "the friction angle 90 is not at
// least 0 and below 90 degrees.", or "Bishop's method does not apply: m_alpha falls ...".
std::string bishop_refusal(const SlopeToCheck& slope, const BishopResult& result);

// Why the method fails on a slope that is one, as a clause: "m_alpha falls to 0.15,
// below 0.2, on a slice ...", for a sentence that has already named the method.
std::string method_fails(const BishopResult& result);

}  // namespace zelm
