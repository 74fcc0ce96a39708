#include "messages/bishop_answers.hpp"

#include "messages/checks.hpp"
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

std::size_t bishop_argument(BishopReason why) {
    switch (why) {
        case BishopReason::friction_angle:
            return 0;
        case BishopReason::cohesion:
        case BishopReason::no_strength:
            return 1;
        case BishopReason::unit_weight:
            return 2;
        case BishopReason::height:
            return 3;
        case BishopReason::face_angle:
            return 4;
        default:
            break;
    }
    return 5;
}

std::string bishop_refusal(const SlopeToCheck& slope, const BishopResult& result) {
    // The check's own sentences where its rule is the method's; the method takes a friction
    // angle of 0, and refuses a cohesion too large against the density times the height.
    CheckAnswer told;
    told.chart = slope.chart;
    told.verdict = Verdict::no_answer;
    switch (result.reason) {
        case BishopReason::friction_angle:
            return "the friction angle " + shortest(slope.friction_angle) +
                   (std::isfinite(slope.friction_angle) ? " is not at least 0 and below 90 degrees."
                                                        : " is not a finite number.");
        case BishopReason::no_strength:
            return "the cohesion and the friction angle are both 0: nothing resists the slope's weight.";
        case BishopReason::cohesion:
            if (slope.cohesion >= 0.0F && std::isfinite(slope.cohesion)) {
                return "the cohesion " + shortest(slope.cohesion) + " is beyond measure against the " +
                       std::string(labels_of(slope.units).weight) + " times the height.";
            }
            told.why = Meaningless::cohesion;
            break;
        case BishopReason::unit_weight:
            told.why = Meaningless::density;
            break;
        case BishopReason::height:
            told.why = Meaningless::height;
            break;
        case BishopReason::face_angle:
            told.why = Meaningless::slope_angle;
            break;
        default:
            return "Bishop's method does not apply: " + method_fails(result) + ".";
    }
    return check_line(slope, told);
}

}  // namespace zelm
