#include "messages/bishop.hpp"

#include "messages/checks.hpp"
#include "numbers/writing.hpp"

#include <cmath>

namespace zelm {
namespace {

// A length of the critical circle, in metres to the centimetre; never "-0.00".
std::string metres(double value) {
    const double centimetres = std::round(value * 100.0);
    return fixed(centimetres == 0.0 ? 0.0 : centimetres / 100.0, 2);
}

// Why the method gives no factor of safety on a slope that is one, as a clause.
std::string method_fails(BishopReason why, double smallest_m_alpha) {
    switch (why) {
        case BishopReason::small_m_alpha:
            return "m_alpha falls " +
                   (std::isfinite(smallest_m_alpha) ? "to " + fixed(smallest_m_alpha, 2) + ", "
                                                    : std::string()) +
                   "below 0.2, on a slice of the slip circle whose base rises toward the toe: there the "
                   "normal "
                   "force, and the resistance with it, grow out of measure";
        case BishopReason::no_convergence:
            return "the factor of safety of the slip circle does not settle";
        default:
            break;
    }
    return "no circle that enters the crest and leaves the ground at the toe or beyond it has a factor of "
           "safety";
}

}  // namespace

std::size_t bishop_typed_position(BishopReason why) {
    switch (why) {
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
    return 0;
}

std::string bishop_refusal(const SlopeToCheck& slope, BishopReason why) {
    // The check's own sentences, where its rule is the method's.
    CheckAnswer told;
    told.chart = slope.chart;
    switch (why) {
        case BishopReason::friction_angle:
            return "the friction angle " + shortest(slope.friction_angle) +
                   (std::isfinite(slope.friction_angle) ? " is not at least 0 and below 90 degrees."
                                                        : " is not a finite number.");
        case BishopReason::no_strength:
            return "the cohesion and the friction angle are both 0: nothing resists the slope's weight.";
        case BishopReason::cohesion:
            if (slope.cohesion >= 0.0F && std::isfinite(slope.cohesion)) {
                return "the cohesion " + shortest(slope.cohesion) +
                       " is beyond measure against the density times the height.";
            }
            told.why = Meaningless::cohesion;
            break;
        case BishopReason::unit_weight:
            told.why = Meaningless::density;
            break;
        case BishopReason::height:
            told.why = Meaningless::height;
            break;
        default:
            told.why = Meaningless::slope_angle;
            break;
    }
    return check_line(slope, told);
}

std::string bishop_line(const BishopResult& result) {
    if (result.reason != BishopReason::none) {
        return "Bishop's method gives no factor of safety: " +
               method_fails(result.reason, result.smallest_m_alpha);
    }
    const SlipCircle& circle = result.circle;
    std::string line =
        "FS " + fixed(bishop_rounded(result.factor_of_safety), 3) +
        " (Bishop's method; critical circle, in m from the toe: centre x = " + metres(circle.centre_x) +
        ", y = " + metres(circle.centre_y) + ", radius " + metres(circle.radius) +
        ", entering the crest at x = " + metres(circle.entry_x) +
        ", leaving the ground at x = " + metres(circle.exit_x) + ")";
    if (result.factor_of_safety < 1.0) {
        line += "; below 1, the slope is expected to fail";
    }
    if (metres(result.tension_depth) != metres(0.0)) {
        line += "; the slices under the crest are in tension down to " + metres(result.tension_depth) +
                " m below it";
    }
    return line;
}

std::string named_bishop_line(const SlopeToCheck& slope, const BishopResult& result) {
    return slope_named(slope) + ": " + bishop_line(result);
}

}  // namespace zelm
