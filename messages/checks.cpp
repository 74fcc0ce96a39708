#include "messages/checks.hpp"

#include "messages/render.hpp"
#include "numbers/writing.hpp"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace zelm {
namespace {

// Why the values leave the chart nothing to read, as one sentence.
std::string reason(const SlopeToCheck& slope, const CheckAnswer& answer) {
    if (answer.violation) {
        return render(violation_said(*answer.violation, slope.units)) + ".";
    }
    return "the friction angle " + shortest(slope.friction_angle) + " is too small: the factors of safety " +
           std::string(answer.chart->name) + " tells apart for it need more than " +
           std::to_string(most_fs_decimals) + " decimals.";
}

}  // namespace

std::string slope_named(const SlopeToCheck& slope) {
    return "H " + shortest(slope.height) + " m at " + shortest(slope.slope_angle) + " degrees";
}

std::string chart_statement(const CheckAnswer& answer) {
    switch (answer.verdict) {
        case Verdict::on_row:
            return "FS " + answer.lowest.text() +
                   (answer.lowest.scaled == answer.highest.scaled ? "" : " to " + answer.highest.text());
        case Verdict::below_chart:
            return "FS below " + answer.lowest.text();
        case Verdict::above_chart:
            return "FS above " + answer.highest.text();
        case Verdict::no_answer:
            break;
    }
    return {};
}

namespace {

// Said of an answer whose FS lies below 1, or may: from `lowest` up to `highest`
// (infinite above the chart, and below the chart's bound for a slope steeper than it).
std::string below_one(double lowest, double highest, Verdict verdict) {
    if (highest < 1.0) {
        return "; below 1, the slope is expected to fail";
    }
    if (verdict == Verdict::above_chart && lowest < 1.0) {
        return "; whether it reaches 1 the chart cannot tell";
    }
    return verdict == Verdict::on_row && lowest < 1.0 ? "; the range holds 1, and the slope may fail" : "";
}

}  // namespace

std::string check_line(const SlopeToCheck& slope, const CheckAnswer& answer) {
    if (answer.verdict == Verdict::no_answer) {
        return reason(slope, answer);
    }
    std::string beyond;
    if (answer.verdict == Verdict::below_chart) {
        beyond = ": the slope is steeper than even the chart's smallest factor of safety allows";
    } else if (answer.verdict == Verdict::above_chart) {
        beyond = ": the slope is no steeper than the chart's largest factor of safety allows";
    }
    const std::string x = "x = " + fixed(answer.x, 2) + beyond;
    const std::string chart(answer.chart->name);
    std::string line;
    // What the line states, from its lowest FS to its highest.
    double lowest = answer.verdict == Verdict::above_chart ? answer.highest.value() : answer.lowest.value();
    double highest = highest_fs_checked(answer);
    if (const StatedFactor stated = stated_factor(answer); stated.exact) {
        // The safe number first, as a script reads it: the exact FS rounded down.
        lowest = stated.lower->value();
        highest = lowest;
        line = "FS " + stated.lower->text() +
               " (exact for a dry slope with no cohesion, tan(phi)/tan(angle), rounded down; " + chart +
               " gives " + chart_statement(answer) + ", " + x + ")";
    } else {
        line = chart_statement(answer) + " (" + chart + ", " + x + ")";
    }
    line += below_one(lowest, highest, answer.verdict);
    if (answer.crossing_fs) {
        // The design run prints whole degrees: the first at least the slope's angle.
        const float least = std::ceil(slope.slope_angle);
        line += "; " + chart + "'s rows cross here: a design run prints " + fixed(least, 0) +
                (answer.crossing_printed > least ? " or steeper" : "") + " up to FS " +
                answer.crossing_fs->text();
    }
    return line;
}

std::string named_check_line(const SlopeToCheck& slope, const CheckAnswer& answer) {
    return slope_named(slope) + ": " + check_line(slope, answer);
}

}  // namespace zelm
