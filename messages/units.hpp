// The labels of the units a run's cohesion and density were typed in, for every host.
#pragma once

#include "sweep/chart_inputs.hpp"

#include <cstddef>
#include <optional>
#include <string_view>

namespace zelm {

// In tonnes the weight of the material is given as its density, in tonnes to the cubic
// metre (strictly tonnes-force, as the cohesion's Tn/m2); in kilonewtons it is a unit
// weight, and is called so.
struct UnitLabels {
    std::string_view option;        // the name --units takes
    std::string_view stress;        // the cohesion's unit
    std::string_view unit_weight;   // the density's, or the unit weight's, unit
    std::string_view weight;        // what that value is called: "density", "unit weight"
    std::string_view weight_title;  // the same with a capital, as a prompt and a form name it
    std::string_view weight_cell;   // the same in the result file's Catalan (Windows-1252)
};

inline constexpr UnitLabels tonne_labels{"tonnes", "Tn/m2", "Tn/m3", "density", "Density", "densitat"};
inline constexpr UnitLabels si_labels{"si",
                                      "kPa",
                                      "kN/m3",
                                      "unit weight",
                                      "Unit weight",
                                      "pes espec\xED"
                                      "fic"};

constexpr const UnitLabels& labels_of(Units units) { return units == Units::si ? si_labels : tonne_labels; }

// True when `name` is `option` in any case of its letters: SI, Si and si alike.
constexpr bool names_option(std::string_view name, std::string_view option) {
    if (name.size() != option.size()) {
        return false;
    }
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != option[i]) {
            return false;
        }
    }
    return true;
}

// The angles --angles names, "chart", "confirmed" or "bishop" (in any case), and the units
// --units names, "tonnes" or "si" (in any case); nothing for any other name.
inline constexpr std::string_view chart_angles_option = "chart";
inline constexpr std::string_view confirmed_angles_option = "confirmed";
inline constexpr std::string_view bishop_angles_option = "bishop";

constexpr std::optional<Angles> angles_named(std::string_view name) {
    if (names_option(name, chart_angles_option)) {
        return Angles::chart;
    }
    if (names_option(name, confirmed_angles_option)) {
        return Angles::confirmed;
    }
    if (names_option(name, bishop_angles_option)) {
        return Angles::bishop;
    }
    return std::nullopt;
}

constexpr std::optional<Units> units_named(std::string_view name) {
    if (names_option(name, tonne_labels.option)) {
        return Units::tonnes;
    }
    if (names_option(name, si_labels.option)) {
        return Units::si;
    }
    return std::nullopt;
}

}  // namespace zelm
