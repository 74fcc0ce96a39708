#include "messages/header.hpp"

#include "messages/columns.hpp"
#include "messages/render.hpp"
#include "numbers/writing.hpp"

namespace zelm {
namespace {

constexpr HeaderCell label(std::string_view text, std::string_view in_workbook = {}) {
    return {text, nullptr, 0, in_workbook};
}

// The unit of a value, named as the run's units name it.
constexpr HeaderCell unit(std::string_view UnitLabels::*which) { return {{}, nullptr, 0, {}, which}; }

// The label of the run's chart.
constexpr HeaderCell chart_label() { return {{}, nullptr, 0, {}, nullptr, true}; }

// A value entered, printed in the result file with one decimal, after `before`.
constexpr HeaderCell value(float ChartInputs::*entered, std::string_view before = {}) {
    return {before, entered, 1, {}};
}

// The labels are Catalan, written as Windows-1252 bytes so that the file does not
// depend on the source's encoding: \xE0 is a-grave, \xF3 o-acute, \xE7 c-cedilla (and
// \xED, i-acute, in the unit weight's "pes espec\xEDfic").
// clang-format off
constexpr std::array<HeaderLine, 8> lines{{
    {{label("Par\xE0metres"), unit(&UnitLabels::weight_cell), value(&ChartInputs::density),           unit(&UnitLabels::unit_weight)}, 4, true},
    {{label("geomec\xE0nics"), label("Angle"),         value(&ChartInputs::friction_angle),         label("graus")}, 4, true},
    {{label(""),               label("Cohesi\xF3"),    value(&ChartInputs::cohesion),               unit(&UnitLabels::stress)}, 4, true},
    {{label(""),               label("Al\xE7" "ada"),  value(&ChartInputs::height),                 label("m")},     4, false},
    {{label(""),               label("Pas"),           value(&ChartInputs::definition),             label("m")},     4, false},
    {{},                                                                                                             0, true},
    {{chart_label(),           value(&ChartInputs::security_factor, "FS ")},                                        2, true},
    {{label("H", column_titles.height), label(column_titles.x), label(column_titles.y),
      label("angle", column_titles.angle)},                                                                          4, true},
}};
// clang-format on

}  // namespace

std::span<const HeaderLine> header_lines() { return lines; }

std::string header_text(const ChartInputs& entered) {
    std::string text;
    for (const HeaderLine& line : lines) {
        if (!line.in_result_file) {
            continue;
        }
        for (std::size_t i = 0; i < line.count; ++i) {
            const HeaderCell& cell = line.cells[i];
            text += i > 0 ? "\t" : "";
            text += cell.text(entered);
            text += cell.value != nullptr ? fixed(entered.*cell.value, cell.decimals) : "";
        }
        text += "\r\n";
    }
    return text;
}

std::string chart_title(const ChartInputs& entered) {
    return std::string(entered.chart->label)
        .append(" \xC2\xB7 FS ")
        .append(shortest(entered.security_factor));
}

std::string workbook_subject(const ChartInputs& entered) {
    return std::string(
               "Angle del tal\xC3\xBAs per a cada al\xC3\xA7"
               "ada, llegit de ")
        .append(entered.chart->catalan_name);
}

std::string workbook_keywords(const ChartInputs& entered) {
    return std::string("tal\xC3\xBAs, estabilitat, ")
        .append(entered.chart->label)
        .append(", factor de seguretat, zelm-fs");
}

std::vector<ConditionLine> condition_lines(const GivenConditions& given) {
    const SlopeConditions& on = given.conditions;
    std::vector<ConditionLine> said;
    switch (on.water) {
        case PoreWater::ratio:
            said.push_back({"ru", on.pore_pressure_ratio, "pore-pressure ratio"});
            break;
        case PoreWater::phreatic:
            said.push_back({"water table", given.water_in_heights.value_or(on.phreatic_distance),
                             given.water_in_heights ? "H behind the toe" : "m behind the toe"});
            break;
        case PoreWater::surface:
            said.push_back({"water table", std::nullopt, "at the ground surface"});
            break;
        case PoreWater::dry:
            break;
    }
    if (on.crack != Crack::none) {
        const bool given_depth = on.crack == Crack::given;
        const std::optional<double> depth = given_depth ? std::optional(on.crack_depth) : std::nullopt;
        said.push_back({"tension crack", depth,
                         given_depth ? (on.crack_filled ? "m, full of water" : "m, dry")
                                     : (on.crack_filled ? "as deep as the tension, full of water"
                                                        : "as deep as the tension, dry")});
    }
    if (on.seismic_coefficient > 0.0) {
        said.push_back({"kh", on.seismic_coefficient, "seismic coefficient"});
    }
    return said;
}

std::vector<StudyLine> study_lines(const ChartInputs& entered) {
    if (!entered.uncertainty) {
        return {};
    }
    const MaterialUncertainty& uncertain = *entered.uncertainty;
    // How a value is drawn: known where its sd is 0; the cohesion lognormal, or normal
    // about a mean of 0, its draws below 0 drawn again.
    const auto spread = [&entered](Field field, float mean, float sd, std::string_view unit) {
        const bool cohesion = field == Field::cohesion;
        return render(Diagnostic{Said::study_spread,
                                 field,
                                 {{"unit", Text{std::string(unit)}},
                                  {"field", Named{field, entered.units}},
                                  {"mean", Typed{mean}},
                                  {"known", Flag{sd == 0.0F}},
                                  {"lognormal", Flag{cohesion && mean != 0.0F}},
                                  {"redrawn", Flag{cohesion && mean == 0.0F}}}});
    };
    return {
        {"phi sd", uncertain.friction_angle_sd,
         spread(Field::friction_angle, entered.friction_angle, uncertain.friction_angle_sd, "graus")},
        {"C sd", uncertain.cohesion_sd,
         spread(Field::cohesion, entered.cohesion, uncertain.cohesion_sd, labels_of(entered.units).stress)},
        {"draws", static_cast<float>(uncertain.draws),
         render(
             Diagnostic{Said::study_draws, Field::none, {{"seed", Text{std::to_string(uncertain.seed)}}}})},
        {column_titles.failure_probability, std::nullopt, render(Diagnostic{Said::study_probability})},
        {column_titles.failure_upper, std::nullopt, render(Diagnostic{Said::study_upper})},
    };
}

std::string workbook_comments(const ChartInputs& entered) {
    const UnitLabels& units = labels_of(entered.units);
    return "phi " + shortest(entered.friction_angle) + " graus, C' " + shortest(entered.cohesion) + " " +
           std::string(units.stress) + ", d " + shortest(entered.density) + " " +
           std::string(units.unit_weight) + ", H " + shortest(entered.height) + " m, pas " +
           shortest(entered.definition) + " m, FS " + shortest(entered.security_factor);
}

}  // namespace zelm
