#include "messages/bishop.hpp"

#include "messages/bishop_answers.hpp"
#include "messages/checks.hpp"
#include "messages/render.hpp"
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

}  // namespace

std::string bishop_refusal(const SlopeToCheck& slope, BishopReason why) {
    BishopResult refused{};
    refused.factor_of_safety = std::numeric_limits<double>::quiet_NaN();
    refused.smallest_m_alpha = std::numeric_limits<double>::quiet_NaN();
    refused.reason = why;
    return bishop_refusal(slope, refused);
}

std::string bishop_line(const SlopeToCheck& slope, const BishopResult& result) {
    if (result.reason != BishopReason::none) {
        std::string why = bishop_refusal(slope, result);
        why.pop_back();  // the line's full stop is its end
        return why;
    }
    if (result.shallow) {
        return "FS " + bishop_fs_text(result.factor_of_safety) +
               " (Bishop's method; with no cohesion the critical slip is a shallow slide parallel to the "
               "face, the infinite slope's tan(phi)/tan(angle))" +
               bishop_cautions(result);
    }
    const SlipCircle& circle = result.circle;
    return "FS " + bishop_fs_text(result.factor_of_safety) +
           " (Bishop's method; critical circle, in m from the toe: centre x = " + metres(circle.centre_x) +
           ", y = " + metres(circle.centre_y) + ", radius " + metres(circle.radius) +
           ", entering the crest at x = " + metres(circle.entry_x) +
           ", leaving the ground at x = " + metres(circle.exit_x) + ")" + bishop_cautions(result);
}

std::string bishop_fs_text(double factor_of_safety) { return fixed(bishop_rounded(factor_of_safety), 3); }

std::string bishop_cautions(const BishopResult& result) {
    std::string clauses;
    if (result.factor_of_safety < 1.0) {
        clauses += "; below 1, the slope is expected to fail";
    }
    if (in_tension(result)) {
        clauses += "; the slices under the crest are in tension down to " + metres(result.tension_depth) +
                   " m below it: a tension crack there would lower this FS";
    }
    return clauses;
}

std::string named_bishop_line(const SlopeToCheck& slope, const BishopResult& result) {
    return slope_named(slope) + ": " + bishop_line(slope, result);
}

std::vector<std::string> bishop_notes(const BishopFindings& findings, const ChartInputs& entered) {
    std::vector<std::string> notes;
    const SlopeToCheck run{entered.friction_angle, entered.cohesion, entered.density, 0.0F, 0.0F,
                           entered.chart};
    const std::string fs = shortest(entered.security_factor);
    for (const BrokenRows& broken : findings.broken) {
        if (broken.rows.rows == 0) {
            continue;
        }
        const std::string at = heights_text(broken.rows);
        const Field field = broken.violation->rule.field;
        if (field == Field::slope_height) {
            notes.push_back("Bishop's columns are empty at " + at + ", where the height is not above 0.");
        } else if (field == Field::slope_angle) {
            notes.push_back("the Bishop FS is empty at " + at + ", where the angle printed is not above 0.");
        } else {
            notes.push_back(
                "Bishop's columns are empty: " + render(violation_said(*broken.violation, run.units)) + ".");
        }
    }
    for (std::size_t i = 0; i < findings.refused.size(); ++i) {
        const Heights& rows = findings.refused[i];
        const auto why = static_cast<BishopReason>(i);
        if (rows.rows == 0) {
            continue;
        }
        if (values_refused(why)) {
            notes.push_back("Bishop's columns are empty: " + bishop_refusal(run, why));
        } else {
            notes.push_back("the Bishop FS is empty at " + heights_text(rows) +
                            ", where for the angle printed " + bishop_refusal(run, why));
        }
    }
    if (findings.none_reaches.rows > 0) {
        notes.push_back("not even a slope of 1 degree reaches FS " + fs + " by Bishop's method at " +
                        heights_text(findings.none_reaches) + ": those Bishop angle cells are empty.");
    }
    if (const Heights& rows = findings.in_tension; rows.rows > 0) {
        notes.push_back("Bishop's FS lets the soil under the crest hold tension in " +
                        std::to_string(rows.rows) + (rows.rows == 1 ? " row, " : " rows, ") +
                        heights_text(rows) +
                        ": a tension crack there would lower it, and the Bishop angle with it.");
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
