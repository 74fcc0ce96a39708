#include "console/conditions.hpp"

#include <array>
#include <string_view>
#include <utility>

namespace zelm {

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
    const auto name = [](Option option) { return name_of(option).name; };
    auto read = conditions_of(ConditionWords{line.ru, line.water, line.crack, line.wet_crack, line.kh}, units,
                              {name(Option::ru), name(Option::water), name(Option::crack),
                               name(Option::wet_crack), name(Option::kh)});
    if (auto* wrong = std::get_if<Diagnostic>(&read)) {
        return UsageError{.said = std::move(*wrong)};
    }
    auto& given = std::get<GivenConditions>(read);
    given.critical_kh = line.critical_kh;
    return std::move(given);
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
