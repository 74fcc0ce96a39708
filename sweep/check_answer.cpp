#include "sweep/check_answer.hpp"

#include <cmath>
#include <optional>
#include <string>
#include <utility>

namespace zelm {
namespace {

Text chart_named(const CheckAnswer& answer) { return {std::string(answer.chart->name)}; }

// Said of an answer whose FS lies below 1, or may: from `lowest` up to `highest`
// (infinite above the chart, and below the chart's bound for a slope steeper than it).
std::optional<Diagnostic> below_one(double lowest, double highest, Verdict verdict) {
    if (highest < 1.0) {
        return Diagnostic{Said::expected_to_fail, Field::security_factor};
    }
    if (verdict == Verdict::above_chart && lowest < 1.0) {
        return Diagnostic{Said::reaching_one_untold, Field::security_factor};
    }
    if (verdict == Verdict::on_row && lowest < 1.0) {
        return Diagnostic{Said::range_holds_one, Field::security_factor};
    }
    return std::nullopt;
}

// Where the chart's rows cross: the design run prints whole degrees, the first at least
// the slope's angle, up to the FS the crossing gives.
Diagnostic rows_cross(const SlopeToCheck& slope, const CheckAnswer& answer) {
    const float least = std::ceil(slope.slope_angle);
    return {Said::rows_cross,
            Field::slope_angle,
            {{"chart", chart_named(answer)},
             {"least", Fixed{least, 0}},
             {"steeper", Flag{answer.crossing_printed > least}},
             {"fs", Text{answer.crossing_fs->text()}}}};
}

}  // namespace

Diagnostic check_refusal(const SlopeToCheck& slope, const CheckAnswer& answer) {
    if (answer.violation) {
        return violation_said(*answer.violation, slope.units);
    }
    return {Said::friction_angle_too_small,
            Field::friction_angle,
            {{"field", Named{Field::friction_angle, slope.units}},
             {"value", Typed{slope.friction_angle}},
             {"chart", chart_named(answer)},
             {"decimals", Count{most_fs_decimals}}}};
}

Diagnostic as_sentence(Diagnostic clause) {
    const Field field = clause.field;
    return {Said::full_stop, field, {{"clause", Clauses{{std::move(clause)}}}}};
}

Diagnostic cautions(std::vector<Diagnostic> clauses) {
    Diagnostic said{Said::cautions};
    if (!clauses.empty()) {
        said.args.push_back({"cautions", Clauses{std::move(clauses)}});
    }
    return said;
}

Diagnostic check_line(const SlopeToCheck& slope, const CheckAnswer& answer) {
    if (answer.verdict == Verdict::no_answer) {
        return as_sentence(check_refusal(slope, answer));
    }
    Diagnostic line{Said::chart_answer,
                    Field::security_factor,
                    {{"statement", Clauses{{check_statement(answer)}}},
                     {"chart", chart_named(answer)},
                     {"x", Fixed{answer.x, 2}}}};
    if (answer.verdict != Verdict::on_row) {
        const Diagnostic beyond{answer.verdict == Verdict::below_chart ? Said::steeper_than_chart
                                                                       : Said::no_steeper_than_chart};
        line.args.push_back({"beyond", Clauses{{beyond}}});
    }
    // What the line states, from its lowest FS to its highest.
    double lowest = answer.verdict == Verdict::above_chart ? answer.highest.value() : answer.lowest.value();
    double highest = highest_fs_checked(answer);
    if (const StatedFactor stated = stated_factor(answer); stated.exact) {
        // The safe number first, as a script reads it: the exact FS rounded down.
        line.id = Said::dry_slope_answer;
        line.args.push_back({"exact", Text{stated.lower->text()}});
        lowest = stated.lower->value();
        highest = lowest;
    }
    std::vector<Diagnostic> clauses;
    if (auto below = below_one(lowest, highest, answer.verdict)) {
        clauses.push_back(*std::move(below));
    }
    if (answer.crossing_fs) {
        clauses.push_back(rows_cross(slope, answer));
    }
    line.args.push_back({"cautions", Clauses{{cautions(std::move(clauses))}}});
    return line;
}

Diagnostic slope_answered(const SlopeToCheck& slope, Diagnostic line) {
    return {Said::slope_answered,
            line.field,
            {{"height", Typed{slope.height}},
             {"angle", Typed{slope.slope_angle}},
             {"answer", Clauses{{std::move(line)}}}}};
}

}  // namespace zelm
