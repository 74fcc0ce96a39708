#include "messages/bishop.hpp"

#include "messages/checks.hpp"
#include "messages/warnings.hpp"
#include "numbers/writing.hpp"

#include <cmath>
#include <limits>

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

std::string why_bishop_gives_none(const BishopResult& result) {
    return method_fails(result.reason, result.smallest_m_alpha);
}

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

std::vector<std::string> bishop_notes(const BishopFindings& findings, const ChartInputs& entered) {
    std::vector<std::string> notes;
    const SlopeToCheck run{entered.friction_angle, entered.cohesion, entered.density, 0.0F, 0.0F,
                           entered.chart};
    const std::string fs = shortest(entered.security_factor);
    for (std::size_t i = 0; i < findings.refused.size(); ++i) {
        const Heights& rows = findings.refused[i];
        const auto why = static_cast<BishopReason>(i);
        if (rows.rows == 0) {
            continue;
        }
        const std::string at = heights_text(rows);
        if (why == BishopReason::height) {
            notes.push_back("Bishop's columns are empty at " + at + ", where the height is not above 0.");
        } else if (why == BishopReason::face_angle) {
            notes.push_back("the Bishop FS is empty at " + at + ", where the angle printed is not above 0.");
        } else if (values_refused(why)) {
            notes.push_back("Bishop's columns are empty: " + bishop_refusal(run, why));
        } else {
            notes.push_back("Bishop's method gives no factor of safety for the angle printed at " + at +
                            ": " + method_fails(why, std::numeric_limits<double>::quiet_NaN()) + ".");
        }
    }
    if (findings.none_reaches.rows > 0) {
        notes.push_back("not even a slope of 1 degree reaches FS " + fs + " by Bishop's method at " +
                        heights_text(findings.none_reaches) + ": those Bishop angle cells are empty.");
    }
    if (findings.security_factor) {
        notes.push_back("the Bishop angle column is empty: the factor of safety " + fs + " is not above 0.");
    }
    return notes;
}

std::string where_bishop_stops(const BishopFindings& findings) {
    return "Bishop's columns stop here: they are filled for the first " +
           std::to_string(findings.filled.rows) +
           " rows, each taking one to three searches for the critical circle, of about 0.3 ms.";
}

}  // namespace zelm
