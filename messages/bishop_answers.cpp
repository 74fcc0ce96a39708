#include "messages/bishop_answers.hpp"

#include "messages/render.hpp"
#include "messages/units.hpp"
#include "numbers/writing.hpp"

#include <cmath>

namespace zelm {

std::string method_fails(const BishopResult& result) {
    switch (result.reason) {
        case BishopReason::small_m_alpha: {
            const double m_alpha = result.smallest_m_alpha;
            const std::string falls = std::isfinite(m_alpha) ? "to " + fixed(m_alpha, 2) + ", below 0.2,"
                                                             : std::string("below 0.2");
            return "m_alpha falls " + falls +
                   " on a slice of the critical circle whose base rises toward the toe, where the normal "
                   "force and the resistance with it grow out of measure";
        }
        case BishopReason::no_convergence:
            return "the factor of safety of the critical circle does not settle";
        default:
            break;
    }
    return "no circle that enters the crest and leaves the ground at the toe or beyond it has a factor of "
           "safety";
}

std::string bishop_refusal(const SlopeToCheck& slope, const BishopResult& result) {
    if (result.violation) {
        return render(violation_said(*result.violation, slope.units)) + ".";
    }
    switch (result.reason) {
        case BishopReason::no_strength:
            return "the cohesion and the friction angle are both 0: nothing resists the slope's weight.";
        case BishopReason::cohesion_beyond_measure:
            return "the cohesion " + shortest(slope.cohesion) + " is beyond measure against the " +
                   std::string(labels_of(slope.units).weight) + " times the height.";
        default:
            break;
    }
    return "Bishop's method does not apply: " + method_fails(result) + ".";
}

}  // namespace zelm
