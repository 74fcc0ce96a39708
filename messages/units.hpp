// The labels of the units a run's cohesion and density were typed in, for every host.
#pragma once

#include "sweep/chart_inputs.hpp"

#include <optional>
#include <string_view>

namespace zelm {

struct UnitLabels {
    std::string_view option;       // the name --units takes
    std::string_view stress;       // the cohesion's unit
    std::string_view unit_weight;  // the density's unit
};

inline constexpr UnitLabels tonne_labels{"tonnes", "Tn/m2", "Tn/m3"};
inline constexpr UnitLabels si_labels{"si", "kPa", "kN/m3"};

constexpr const UnitLabels& labels_of(Units units) { return units == Units::si ? si_labels : tonne_labels; }

// The units --units names ("tonnes" or "si"), or nothing for any other name.
constexpr std::optional<Units> units_named(std::string_view name) {
    if (name == tonne_labels.option) {
        return Units::tonnes;
    }
    if (name == si_labels.option) {
        return Units::si;
    }
    return std::nullopt;
}

}  // namespace zelm
