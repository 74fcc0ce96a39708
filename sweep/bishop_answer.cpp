#include "sweep/bishop_answer.hpp"

#include "sweep/check_answer.hpp"

#include <cmath>
#include <cstddef>
#include <limits>
#include <string>

namespace zelm {
namespace {

constexpr double not_a_number = std::numeric_limits<double>::quiet_NaN();

// A length of the critical circle, in metres to the centimetre; never "-0.00".
Fixed metres(double value) {
    const double centimetres = std::round(value * 100.0);
    return {centimetres == 0.0 ? 0.0 : centimetres / 100.0, 2};
}

// A result refused for `reason` alone, as a run's rows are told of it.
BishopResult refused_for(BishopReason reason) {
    BishopResult refused{};
    refused.factor_of_safety = not_a_number;
    refused.smallest_m_alpha = not_a_number;
    refused.reason = reason;
    return refused;
}

// Said of the rows of a run refused for a value that breaks its rule.
Diagnostic broken_at(const BrokenRows& broken, Units units) {
    const Violation& violation = *broken.violation;
    const HeightRange rows{broken.rows.first, broken.rows.last};
    switch (violation.rule.field) {
        case Field::slope_height:
            return {Said::bishop_empty_at_height, Field::slope_height, {{"rows", rows}}};
        case Field::slope_angle:
            return {Said::bishop_fs_empty_at_angle, Field::slope_angle, {{"rows", rows}}};
        case Field::crack_depth:  // its bound is the row's height: the shorter rows
            if (violation.broken == Broken::above) {
                return {Said::bishop_empty_under_crack,
                        Field::crack_depth,
                        {{"rows", rows}, {"depth", Typed{static_cast<float>(violation.value)}}}};
            }
            break;
        default:
            break;
    }
    return {Said::bishop_columns_empty,
            violation.rule.field,
            {{"reason", Clauses{{violation_said(violation, units)}}}}};
}

}  // namespace

Diagnostic method_fails(const BishopResult& result) {
    switch (result.reason) {
        case BishopReason::small_m_alpha: {
            Diagnostic falls{Said::small_m_alpha};
            if (std::isfinite(result.smallest_m_alpha)) {
                falls.args.push_back({"m_alpha", Fixed{result.smallest_m_alpha, 2}});
            }
            return falls;
        }
        case BishopReason::no_convergence:
            return {Said::not_settled};
        default:
            break;
    }
    return {Said::no_slip_circle};
}

Diagnostic bishop_refusal(const SlopeToCheck& slope, const BishopResult& result) {
    if (result.violation) {
        return violation_said(*result.violation, slope.units);
    }
    switch (result.reason) {
        case BishopReason::no_strength:
            return {Said::no_strength, Field::cohesion};
        case BishopReason::cohesion_beyond_measure:
            return {Said::cohesion_beyond_measure,
                    Field::cohesion,
                    {{"field", Named{Field::cohesion, slope.units}},
                     {"value", Typed{slope.cohesion}},
                     {"weight", Named{Field::density, slope.units}}}};
        default:
            break;
    }
    return {Said::bishop_does_not_apply, Field::none, {{"failure", Clauses{{method_fails(result)}}}}};
}

Diagnostic bishop_cautions(const BishopResult& result) {
    std::vector<Diagnostic> clauses;
    if (result.factor_of_safety < 1.0) {
        clauses.push_back({Said::expected_to_fail, Field::security_factor});
    }
    if (in_tension(result)) {
        clauses.push_back(
            {Said::tension_under_crest, Field::none, {{"depth", metres(result.tension_depth)}}});
    }
    return cautions(std::move(clauses));
}

namespace {

// The critical seismic coefficient, rounded down to three decimals: the safe side.
Clauses critical_said(const std::optional<CriticalKh>& critical) {
    if (!critical) {
        return {};
    }
    if (critical->fails_without_earthquake) {
        return {{{Said::no_critical_kh_fails}}};
    }
    const double kh = std::isnan(critical->coefficient) ? 10.0 : critical->coefficient;
    return {{{std::isnan(critical->coefficient) ? Said::no_critical_kh_above : Said::critical_kh,
              Field::seismic_coefficient,
              {{"kh", Fixed{std::floor(kh * 1000.0) / 1000.0, 3}}}}}};
}

}  // namespace

Clauses conditions_said(const GivenConditions& given, std::optional<double> crack_found) {
    const SlopeConditions& on = given.conditions;
    Clauses said{{}, ", ", " and "};
    const auto typed = [](double value) { return Typed{static_cast<float>(value)}; };
    if (on.water == PoreWater::ratio) {
        said.items.push_back(
            {Said::ratio_condition, Field::pore_pressure_ratio, {{"ru", typed(on.pore_pressure_ratio)}}});
    } else if (on.water == PoreWater::phreatic) {
        const auto heights = given.water_in_heights;
        said.items.push_back(
            {Said::water_table_condition,
             Field::phreatic_distance,
             {{"distance", heights ? Value{typed(*heights)} : Value{metres(on.phreatic_distance)}},
              {"heights", Flag{heights.has_value()}}}});
    } else if (on.water == PoreWater::surface) {
        said.items.push_back({Said::saturated_condition});
    }
    if (on.crack != Crack::none) {
        const auto depth = on.crack == Crack::given ? std::optional(on.crack_depth) : crack_found;
        Diagnostic crack{Said::crack_condition, Field::crack_depth, {{"filled", Flag{on.crack_filled}}}};
        if (depth) {
            crack.args.push_back({"depth", metres(*depth)});
        }
        said.items.push_back(std::move(crack));
    }
    if (on.seismic_coefficient > 0.0) {
        said.items.push_back(
            {Said::seismic_condition, Field::seismic_coefficient, {{"kh", typed(on.seismic_coefficient)}}});
    }
    return said;
}

Diagnostic bishop_line(const SlopeToCheck& slope, const BishopResult& result, const SlopeConditions& on,
                       const std::optional<CriticalKh>& critical) {
    if (result.reason != BishopReason::none) {
        return bishop_refusal(slope, result);
    }
    Diagnostic line{Said::bishop_shallow_slide,
                    Field::security_factor,
                    {{"fs", Fixed{bishop_rounded(result.factor_of_safety), 3}},
                     {"cautions", Clauses{{bishop_cautions(result)}}},
                     {"critical", critical_said(critical)}}};
    if (!dry_and_still(on)) {
        line.args.push_back({"under", conditions_said({on}, result.crack_depth)});
    }
    if (!result.shallow) {
        const SlipCircle& circle = result.circle;
        line.id = Said::bishop_circle;
        line.args.insert(line.args.end(), {{"centre_x", metres(circle.centre_x)},
                                           {"centre_y", metres(circle.centre_y)},
                                           {"radius", metres(circle.radius)},
                                           {"entry_x", metres(circle.entry_x)},
                                           {"exit_x", metres(circle.exit_x)}});
    }
    return line;
}

std::vector<Diagnostic> bishop_notes(const BishopFindings& findings, const ChartInputs& entered) {
    std::vector<Diagnostic> notes;
    const SlopeToCheck run{entered.friction_angle, entered.cohesion, entered.density, 0.0F, 0.0F,
                           entered.chart,          entered.units};
    for (const BrokenRows& broken : findings.broken) {
        if (broken.rows.rows > 0) {
            notes.push_back(broken_at(broken, run.units));
        }
    }
    // The method's own reasons: the rules that join the run's values empty both cells,
    // a failure on the printed angle's critical circle the factor of safety alone.
    for (std::size_t i = 0; i < findings.refused.size(); ++i) {
        const Heights& rows = findings.refused[i];
        const auto why = static_cast<BishopReason>(i);
        if (rows.rows == 0) {
            continue;
        }
        const Arg reason{"reason", Clauses{{bishop_refusal(run, refused_for(why))}}};
        notes.push_back(values_refused(why)
                            ? Diagnostic{Said::bishop_columns_empty, Field::cohesion, {reason}}
                            : Diagnostic{Said::bishop_fs_empty,
                                         Field::slope_angle,
                                         {{"rows", HeightRange{rows.first, rows.last}}, reason}});
    }
    const Typed fs{entered.security_factor};
    if (const Heights& rows = findings.none_reaches; rows.rows > 0) {
        notes.push_back({Said::bishop_none_reaches,
                         Field::security_factor,
                         {{"fs", fs}, {"rows", HeightRange{rows.first, rows.last}}}});
    }
    if (const Heights& rows = findings.in_tension; rows.rows > 0) {
        notes.push_back({Said::bishop_in_tension,
                         Field::none,
                         {{"count", Count{rows.rows}}, {"rows", HeightRange{rows.first, rows.last}}}});
    }
    if (findings.security_factor) {
        notes.push_back({Said::bishop_angle_column_empty, Field::security_factor, {{"fs", fs}}});
    }
    return notes;
}

}  // namespace zelm
