// Which values describe a slope, said once for each way of answering it: a table of the
// fields the way reads, in the order they are typed, and the range each value must lie
// in. A value outside its range, or one that is no finite number, leaves that way nothing
// to read. Which value, and on which side, is a Violation: the usage errors, the run's
// findings, the check's and Bishop's refusals, the module's NaN and the page's marked
// field all read it from here, and the words (messages/) tell it.
#pragma once

#include "entries/field.hpp"

#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <span>

namespace zelm {

struct Bound {
    double value;
    bool inclusive;  // the value itself is within
};

struct Rule {
    Field field;
    std::optional<Bound> lowest;   // nothing: no bound below
    std::optional<Bound> highest;  // nothing: no bound above
};

constexpr Rule above(Field field, double lowest) { return {field, Bound{lowest, false}, std::nullopt}; }
constexpr Rule at_least(Field field, double lowest) { return {field, Bound{lowest, true}, std::nullopt}; }
constexpr Rule between(Field field, Bound lowest, Bound highest) { return {field, lowest, highest}; }

// How a value breaks its rule.
enum class Broken : std::uint8_t {
    not_finite,  // NaN or infinite
    below,       // below its lowest bound, or at it where that is not within
    above,       // above its highest, or at it where that is not within
};

struct Violation {
    Rule rule;
    double value;
    Broken broken;
    std::size_t position;  // of the rule in its table: the value's place as typed
};

// How `value` breaks `rule`, or nothing where it keeps it.
constexpr std::optional<Broken> broken_by(const Rule& rule, double value) {
    if (!std::isfinite(value)) {
        return Broken::not_finite;
    }
    if (rule.lowest &&
        (value < rule.lowest->value || (value == rule.lowest->value && !rule.lowest->inclusive))) {
        return Broken::below;
    }
    if (rule.highest &&
        (value > rule.highest->value || (value == rule.highest->value && !rule.highest->inclusive))) {
        return Broken::above;
    }
    return std::nullopt;
}

// The first value, in the table's order, that breaks its rule, each value found by its
// field (value_of(Field) -> double). Nothing where every value keeps its rule.
template <typename ValueOf>
std::optional<Violation> first_violation(std::span<const Rule> rules, ValueOf&& value_of) {
    for (std::size_t i = 0; i < rules.size(); ++i) {
        const double value = value_of(rules[i].field);
        if (const auto broken = broken_by(rules[i], value)) {
            return Violation{rules[i], value, *broken, i};
        }
    }
    return std::nullopt;
}

// Where the value of `field` is typed among a table's: its rule's place. The table's size
// where it has no rule for the field.
constexpr std::size_t place_of(std::span<const Rule> rules, Field field) {
    std::size_t i = 0;
    while (i < rules.size() && rules[i].field != field) {
        ++i;
    }
    return i;
}

// The tables, one a way of answering. The friction angle of the chart lies strictly
// between 0 and 90 degrees, where tan(phi) gives x; Bishop's method takes 0 too (a clay
// without friction). A face stands at most vertical: 90 is answered, more would overhang.
inline constexpr Bound open_at(double value) { return {value, false}; }
inline constexpr Bound closed_at(double value) { return {value, true}; }

// A design run's values, all of which are told where they break their rule (the height
// of the talus and the step are not read here: negative ones still make rows).
inline constexpr std::array<Rule, 4> design_run_rules{
    between(Field::friction_angle, open_at(0.0), open_at(90.0)),
    at_least(Field::cohesion, 0.0),
    above(Field::density, 0.0),
    above(Field::security_factor, 0.0),
};

// One reading of the chart, as a study asks for it element by element.
inline constexpr std::array<Rule, 5> chart_reading_rules{
    between(Field::friction_angle, open_at(0.0), open_at(90.0)),
    at_least(Field::cohesion, 0.0),
    above(Field::density, 0.0),
    above(Field::height, 0.0),
    above(Field::security_factor, 0.0),
};

// A slope that stands, checked on the chart.
inline constexpr std::array<Rule, 5> check_rules{
    between(Field::friction_angle, open_at(0.0), open_at(90.0)),
    at_least(Field::cohesion, 0.0),
    above(Field::density, 0.0),
    above(Field::slope_height, 0.0),
    between(Field::slope_angle, open_at(0.0), closed_at(90.0)),
};

// The same slope answered by Bishop's method, which also takes a clay without friction.
// Two rules join values, and are the method's own (slices/bishop.hpp): friction or
// cohesion there must be, and C' / (d H) must be a number a double holds. After the five,
// the conditions the slope stands under, where given:
// - the pore-pressure ratio ru below 1: at 1 the water carries the whole weight of the
//   soil above it, at every depth, and the soil has no effective stress left; above, the
//   water would lift the ground;
// - the crack's depth also below the slope's height, which the method sets as that rule's
//   highest bound: a crack down to the toe leaves no slip circle to end at its bottom;
// - the seismic coefficient below 1, a horizontal acceleration below that of gravity;
// - the unit weight of water above 0.
inline constexpr std::array<Rule, 10> bishop_rules{
    between(Field::friction_angle, closed_at(0.0), open_at(90.0)),
    at_least(Field::cohesion, 0.0),
    above(Field::density, 0.0),
    above(Field::slope_height, 0.0),
    between(Field::slope_angle, open_at(0.0), closed_at(90.0)),
    between(Field::pore_pressure_ratio, closed_at(0.0), open_at(1.0)),
    at_least(Field::phreatic_distance, 0.0),
    at_least(Field::crack_depth, 0.0),
    between(Field::seismic_coefficient, closed_at(0.0), open_at(1.0)),
    above(Field::water_unit_weight, 0.0),
};

}  // namespace zelm
