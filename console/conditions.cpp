#include "console/conditions.hpp"

#include "entries/rules.hpp"
#include "messages/entries.hpp"
#include "numbers/reading.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <string_view>
#include <utility>

namespace zelm {
namespace {

// The unit weight of water in the units of the run's unit weight.
constexpr double water_unit_weight(Units units) { return units == Units::si ? 9.81 : 1.0; }

bool named(std::string word, std::string_view name) {
    std::transform(word.begin(), word.end(), word.begin(), [](unsigned char c) { return std::tolower(c); });
    return word == name;
}

// A condition's value, read as the console reads one and held to its rule; the words
// `typed` after `option`.
std::variant<double, UsageError> read_condition(Option option, Field field, const std::string& typed,
                                                Units units) {
    const Entry entry = read_entry(typed);
    if (!entry.value) {
        return usage_error(Said::usage_value_refused,
                           {{"name", long_name(option)},
                            {"typed", Text{typed}},
                            {"reason", Clauses{{refusal_said(entry.refusal)}}}},
                           field);
    }
    const double value = *entry.value;
    const Rule& rule = bishop_rules.at(place_of(bishop_rules, field));
    if (const auto broken = broken_by(rule, value)) {
        const Violation violation{rule, value, *broken, place_of(bishop_rules, field)};
        return usage_error(
            Said::usage_condition_refused,
            {{"option", long_name(option)}, {"why", Clauses{{violation_said(violation, units)}}}}, field);
    }
    return value;
}

// --water X, NH or surface, into `given`.
std::optional<UsageError> read_water(const std::string& typed, Units units, GivenConditions& given) {
    if (named(typed, "surface")) {
        given.conditions.water = PoreWater::surface;
        return std::nullopt;
    }
    const bool in_heights = !typed.empty() && (typed.back() == 'H' || typed.back() == 'h');
    const std::string number = in_heights ? typed.substr(0, typed.size() - 1) : typed;
    if (!read_entry(number).value && read_entry(number).refusal != Refusal::decimal_comma) {
        return usage_error(Said::usage_unknown_water, {{"typed", Text{typed}}}, Field::phreatic_distance);
    }
    auto distance = read_condition(Option::water, Field::phreatic_distance, number, units);
    if (auto* wrong = std::get_if<UsageError>(&distance)) {
        return std::move(*wrong);
    }
    given.conditions.water = PoreWater::phreatic;
    (in_heights ? given.water_in_heights.emplace() : given.conditions.phreatic_distance) =
        std::get<double>(distance);
    return std::nullopt;
}

// --crack DEPTH or auto, with --wet-crack, into `given`.
std::optional<UsageError> read_crack(const CommandLine& line, Units units, GivenConditions& given) {
    if (!line.crack) {
        return line.wet_crack ? std::optional(usage_error(Said::usage_wet_crack_alone)) : std::nullopt;
    }
    given.conditions.crack_filled = line.wet_crack;
    if (named(*line.crack, "auto")) {
        given.conditions.crack = Crack::automatic;
        return std::nullopt;
    }
    auto depth = read_condition(Option::crack, Field::crack_depth, *line.crack, units);
    if (auto* wrong = std::get_if<UsageError>(&depth)) {
        return std::move(*wrong);
    }
    given.conditions.crack = Crack::given;
    given.conditions.crack_depth = std::get<double>(depth);
    return std::nullopt;
}

// --ru R and --kh K, into `given`.
std::optional<UsageError> read_ratios(const CommandLine& line, Units units, GivenConditions& given) {
    if (line.ru) {
        auto ratio = read_condition(Option::ru, Field::pore_pressure_ratio, *line.ru, units);
        if (auto* wrong = std::get_if<UsageError>(&ratio)) {
            return std::move(*wrong);
        }
        given.conditions.water = PoreWater::ratio;
        given.conditions.pore_pressure_ratio = std::get<double>(ratio);
    }
    if (line.kh) {
        auto kh = read_condition(Option::kh, Field::seismic_coefficient, *line.kh, units);
        if (auto* wrong = std::get_if<UsageError>(&kh)) {
            return std::move(*wrong);
        }
        given.conditions.seismic_coefficient = std::get<double>(kh);
    }
    return std::nullopt;
}

}  // namespace

std::optional<Option> condition_given(const CommandLine& line) {
    const std::array<std::pair<Option, bool>, 6> given{{{Option::ru, line.ru.has_value()},
                                                        {Option::water, line.water.has_value()},
                                                        {Option::crack, line.crack.has_value()},
                                                        {Option::wet_crack, line.wet_crack},
                                                        {Option::kh, line.kh.has_value()},
                                                        {Option::critical_kh, line.critical_kh}}};
    for (const auto& [option, is_given] : given) {
        if (is_given) {
            return option;
        }
    }
    return std::nullopt;
}

std::variant<GivenConditions, UsageError> conditions_of(const CommandLine& line, Units units) {
    if (line.ru && line.water) {
        return usage_error(Said::usage_water_twice);
    }
    GivenConditions given;
    given.conditions.water_unit_weight = water_unit_weight(units);
    given.critical_kh = line.critical_kh;
    if (auto wrong = read_ratios(line, units, given)) {
        return *std::move(wrong);
    }
    if (line.water) {
        if (auto wrong = read_water(*line.water, units, given)) {
            return *std::move(wrong);
        }
    }
    if (auto wrong = read_crack(line, units, given)) {
        return *std::move(wrong);
    }
    return given;
}

SlopeConditions conditions_at(const GivenConditions& given, double height) {
    SlopeConditions conditions = given.conditions;
    if (given.water_in_heights) {
        conditions.phreatic_distance = *given.water_in_heights * height;
    }
    return conditions;
}

HomogeneousSlope homogeneous(const SlopeToCheck& slope, const GivenConditions& given) {
    return {slope.height,   slope.slope_angle, slope.friction_angle,
            slope.cohesion, slope.density,     conditions_at(given, slope.height)};
}

Option option_of(Field field) {
    switch (field) {
        case Field::pore_pressure_ratio:
            return Option::ru;
        case Field::phreatic_distance:
            return Option::water;
        case Field::crack_depth:
            return Option::crack;
        default:
            break;
    }
    return Option::kh;
}

}  // namespace zelm
