// Why Bishop's method gives a slope no factor of safety, in one sentence, as Python's
// warning, the page, --bishop and its usage errors tell it.
#pragma once

#include "slices/bishop.hpp"
#include "sweep/check.hpp"

#include <string>

namespace zelm {

// Why there is no factor of safety, as one sentence: "the friction angle 90 is not at
// least 0 and below 90 degrees.", or "Bishop's method does not apply: m_alpha falls ...".
std::string bishop_refusal(const SlopeToCheck& slope, const BishopResult& result);

// Why the method fails on a slope that is one, as a clause: "m_alpha falls to 0.15,
// below 0.2, on a slice ...", for a sentence that has already named the method.
std::string method_fails(const BishopResult& result);

}  // namespace zelm
