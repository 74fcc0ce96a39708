#include "messages/conditions.hpp"

#include "entries/rules.hpp"
#include "messages/entries.hpp"
#include "numbers/reading.hpp"

#include <algorithm>
#include <cctype>
#include <utility>

namespace zelm {
namespace {

// The unit weight of water in the units of the run's unit weight.
constexpr double water_unit_weight(Units units) { return units == Units::si ? 9.81 : 1.0; }

bool named(std::string word, std::string_view name) {
    std::transform(word.begin(), word.end(), word.begin(), [](unsigned char c) { return std::tolower(c); });
    return word == name;
}

Text text(std::string_view name) { return Text{std::string(name)}; }

// A condition's value, read as the console reads one and held to its rule; `typed` the
// words given for the value `name` names.
std::variant<double, Diagnostic> read_condition(std::string_view name, Field field, const std::string& typed,
                                                Units units) {
    const Entry entry = read_entry(typed);
    if (!entry.value) {
        return Diagnostic{Said::usage_value_refused,
                          field,
                          {{"name", text(name)},
                           {"typed", Text{typed}},
                           {"reason", Clauses{{refusal_said(entry.refusal)}}}}};
    }
    const double value = *entry.value;
    const std::size_t place = place_of(bishop_rules, field);
    if (const auto broken = broken_by(bishop_rules.at(place), value)) {
        const Violation violation{bishop_rules.at(place), value, *broken, place};
        return Diagnostic{Said::usage_condition_refused,
                          field,
                          {{"option", text(name)}, {"why", Clauses{{violation_said(violation, units)}}}}};
    }
    return value;
}

// The water: a distance in metres, NH or surface.
std::optional<Diagnostic> read_water(const std::string& typed, Units units, const ConditionNames& names,
                                     GivenConditions& given) {
    if (named(typed, "surface")) {
        given.conditions.water = PoreWater::surface;
        return std::nullopt;
    }
    const bool in_heights = !typed.empty() && (typed.back() == 'H' || typed.back() == 'h');
    const std::string number = in_heights ? typed.substr(0, typed.size() - 1) : typed;
    const Entry entry = read_entry(number);
    if (!entry.value && entry.refusal != Refusal::decimal_comma) {
        return Diagnostic{Said::usage_unknown_water,
                          Field::phreatic_distance,
                          {{"option", text(names.water)}, {"typed", Text{typed}}}};
    }
    auto distance = read_condition(names.water, Field::phreatic_distance, number, units);
    if (auto* wrong = std::get_if<Diagnostic>(&distance)) {
        return std::move(*wrong);
    }
    given.conditions.water = PoreWater::phreatic;
    (in_heights ? given.water_in_heights.emplace() : given.conditions.phreatic_distance) =
        std::get<double>(distance);
    return std::nullopt;
}

// The crack: a depth in metres or auto, full of water or not.
std::optional<Diagnostic> read_crack(const ConditionWords& words, Units units, const ConditionNames& names,
                                     GivenConditions& given) {
    if (!words.crack) {
        return words.wet_crack ? std::optional(Diagnostic{
                                     Said::usage_wet_crack_alone,
                                     Field::crack_depth,
                                     {{"wet_crack", text(names.wet_crack)}, {"crack", text(names.crack)}}})
                               : std::nullopt;
    }
    given.conditions.crack_filled = words.wet_crack;
    if (named(*words.crack, "auto")) {
        given.conditions.crack = Crack::automatic;
        return std::nullopt;
    }
    auto depth = read_condition(names.crack, Field::crack_depth, *words.crack, units);
    if (auto* wrong = std::get_if<Diagnostic>(&depth)) {
        return std::move(*wrong);
    }
    given.conditions.crack = Crack::given;
    given.conditions.crack_depth = std::get<double>(depth);
    return std::nullopt;
}

// The pore-pressure ratio and the seismic coefficient.
std::optional<Diagnostic> read_ratios(const ConditionWords& words, Units units, const ConditionNames& names,
                                      GivenConditions& given) {
    if (words.ru) {
        auto ratio = read_condition(names.ru, Field::pore_pressure_ratio, *words.ru, units);
        if (auto* wrong = std::get_if<Diagnostic>(&ratio)) {
            return std::move(*wrong);
        }
        given.conditions.water = PoreWater::ratio;
        given.conditions.pore_pressure_ratio = std::get<double>(ratio);
    }
    if (words.kh) {
        auto kh = read_condition(names.kh, Field::seismic_coefficient, *words.kh, units);
        if (auto* wrong = std::get_if<Diagnostic>(&kh)) {
            return std::move(*wrong);
        }
        given.conditions.seismic_coefficient = std::get<double>(kh);
    }
    return std::nullopt;
}

}  // namespace

std::variant<GivenConditions, Diagnostic> conditions_of(const ConditionWords& words, Units units,
                                                        const ConditionNames& names) {
    if (words.ru && words.water) {
        return Diagnostic{Said::usage_water_twice,
                          Field::pore_pressure_ratio,
                          {{"ru", text(names.ru)}, {"water", text(names.water)}}};
    }
    GivenConditions given;
    given.conditions.water_unit_weight = water_unit_weight(units);
    if (auto wrong = read_ratios(words, units, names, given)) {
        return *std::move(wrong);
    }
    if (words.water) {
        if (auto wrong = read_water(*words.water, units, names, given)) {
            return *std::move(wrong);
        }
    }
    if (auto wrong = read_crack(words, units, names, given)) {
        return *std::move(wrong);
    }
    return given;
}

}  // namespace zelm
