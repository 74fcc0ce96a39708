#include "messages/render.hpp"

#include "messages/templates.hpp"
#include "messages/units.hpp"
#include "numbers/writing.hpp"

#include <array>
#include <stdexcept>
#include <string>

namespace zelm {
namespace {

// Where the slot opened at `open` closes, its braces nested.
std::size_t closing(std::string_view text, std::size_t open) {
    int depth = 0;
    for (std::size_t i = open; i < text.size(); ++i) {
        depth += text[i] == '{' ? 1 : text[i] == '}' ? -1 : 0;
        if (depth == 0) {
            return i;
        }
    }
    throw std::logic_error("a template's slot is not closed: " + std::string(text));
}

// The two forms after a slot's name: "one|many", split at its first '|' outside braces.
std::array<std::string_view, 2> forms_of(std::string_view forms) {
    int depth = 0;
    for (std::size_t i = 0; i < forms.size(); ++i) {
        depth += forms[i] == '{' ? 1 : forms[i] == '}' ? -1 : 0;
        if (depth == 0 && forms[i] == '|') {
            return {forms.substr(0, i), forms.substr(i + 1)};
        }
    }
    return {forms, {}};
}

std::string height_text(float height) {
    std::array<char, max_decimal_comma_length> text{};
    char* const end = put_decimal_comma(text.data(), height);
    return std::string(text.data() + 1, end);  // without the cell's leading space
}

struct Shown {
    const Diagnostic& said;

    std::string operator()(const Typed& v) const { return shortest(v.value); }
    std::string operator()(const Fixed& v) const { return fixed(v.value, v.decimals); }
    std::string operator()(const Count& v) const { return std::to_string(v.value); }
    std::string operator()(const Text& v) const { return v.value; }
    std::string operator()(const HeightCell& v) const { return height_text(v.value); }
    std::string operator()(const HeightRange& v) const {
        const std::string first = height_text(v.first);
        const std::string last = height_text(v.last);
        return "H = " + first + (first == last ? "" : " to " + last);
    }
    std::string operator()(const Flag&) const { return {}; }
    std::string operator()(const Named& v) const { return field_name(v.field, v.units); }
    std::string operator()(const WeightUnit& v) const { return std::string(labels_of(v.units).unit_weight); }
    std::string operator()(const Clauses& v) const {
        std::string joined;
        for (std::size_t i = 0; i < v.items.size(); ++i) {
            joined.append(i == 0                    ? ""
                          : i + 1 == v.items.size() ? v.last_joint
                                                    : v.joint)
                .append(render(v.items[i]));
        }
        return joined;
    }
};

const Value& value_of(const Diagnostic& said, std::string_view name) {
    const Value* value = said.arg(name);
    if (value == nullptr) {
        throw std::logic_error("no value for the slot {" + std::string(name) + "} of a template");
    }
    return *value;
}

// Whether a select's first form is taken: a flag that is set, a count of one, a value
// given at all.
bool chosen(const Diagnostic& said, std::string_view name, char how) {
    const Value* value = said.arg(name);
    if (how == '|') {
        return std::get<Count>(value_of(said, name)).value == 1;
    }
    if (value == nullptr) {
        return false;
    }
    const auto* flag = std::get_if<Flag>(value);
    return flag == nullptr || flag->value;
}

std::string slot(std::string_view body, const Diagnostic& said) {
    const std::size_t end = body.find_first_of("|?.");
    const std::string_view name = body.substr(0, end);
    if (end == std::string_view::npos) {
        return std::visit(Shown{said}, value_of(said, name));
    }
    if (body[end] == '.') {  // the unit of a named entry's bounds
        const Field field = std::get<Named>(value_of(said, name)).field;
        return field == Field::friction_angle || field == Field::slope_angle ? " degrees" : "";
    }
    const auto [first, second] = forms_of(body.substr(end + 1));
    return render(chosen(said, name, body[end]) ? first : second, said);
}

}  // namespace

std::string render(std::string_view text, const Diagnostic& said) {
    std::string words;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '{') {
            words += text[i];
            continue;
        }
        const std::size_t close = closing(text, i);
        words += slot(text.substr(i + 1, close - i - 1), said);
        i = close;
    }
    return words;
}

std::string render(const Diagnostic& said) { return render(template_of(said.id), said); }

std::string field_name(Field field, Units units) {
    switch (field) {
        case Field::friction_angle:
            return "the friction angle";
        case Field::cohesion:
            return "the cohesion";
        case Field::density:
            return "the " + std::string(labels_of(units).weight);
        case Field::talus_height:
            return "the height of the talus";
        case Field::step:
            return "the step";
        case Field::security_factor:
            return "the factor of safety";
        case Field::slope_height:
            return "the height of the slope";
        case Field::slope_angle:
            return "the slope angle";
        case Field::height:
            return "the height";
        case Field::pore_pressure_ratio:
            return "the pore-pressure ratio";
        case Field::phreatic_distance:
            return "the distance of the water table behind the toe";
        case Field::crack_depth:
            return "the depth of the tension crack";
        case Field::seismic_coefficient:
            return "the seismic coefficient";
        case Field::water_unit_weight:
            return "the unit weight of water";
        case Field::none:
            break;
    }
    return {};
}

}  // namespace zelm
