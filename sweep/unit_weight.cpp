#include "sweep/unit_weight.hpp"

namespace zelm {
namespace {

constexpr Units other(Units units) { return units == Units::si ? Units::tonnes : Units::si; }

bool within(float value, Units units) {
    const UnitWeightRange range = unit_weights_of_soils(units);
    return value >= range.lowest && value <= range.highest;
}

// The range of soils' unit weights in `units`, as a diagnostic's slots: "{prefix}lowest",
// "{prefix}highest" and "{prefix}unit".
void add_range(Diagnostic& said, Units units, std::string_view lowest, std::string_view highest,
               std::string_view unit) {
    const UnitWeightRange range = unit_weights_of_soils(units);
    said.args.push_back({lowest, Typed{range.lowest}});
    said.args.push_back({highest, Typed{range.highest}});
    said.args.push_back({unit, WeightUnit{units}});
}

}  // namespace

double in_other_units(float value, Units from) {
    const auto weight = static_cast<double>(value);
    return from == Units::si ? weight / kilonewtons_per_tonne : weight * kilonewtons_per_tonne;
}

bool weighs_as_soils_do(float value, std::optional<Units> units) {
    if (!(value > 0.0F)) {
        return true;
    }
    return units ? within(value, *units) : within(value, Units::tonnes) || within(value, Units::si);
}

std::optional<Diagnostic> unit_weight_out_of_range(float value, std::optional<Units> units) {
    if (weighs_as_soils_do(value, units)) {
        return std::nullopt;
    }
    if (!units) {
        Diagnostic said{Said::unit_weight_outside_both, Field::density, {{"value", Typed{value}}}};
        add_range(said, Units::tonnes, "tonnes_lowest", "tonnes_highest", "tonnes_unit");
        add_range(said, Units::si, "si_lowest", "si_highest", "si_unit");
        return said;
    }
    const bool below = value < unit_weights_of_soils(*units).lowest;
    Diagnostic said{below ? Said::unit_weight_far_below : Said::unit_weight_far_above,
                    Field::density,
                    {{"field", Named{Field::density, *units}}, {"value", Typed{value}}}};
    add_range(said, *units, "lowest", "highest", "unit");
    // Typed in the other units' numbers: 2 where kN/m3 are asked, meaning 2 Tn/m3.
    if (within(value, other(*units))) {
        said.args.push_back({"meant", WeightUnit{other(*units)}});
        const double converted = in_other_units(value, other(*units));
        said.args.push_back({"converted", Fixed{converted, *units == Units::si ? 1 : 2}});
    }
    return said;
}

}  // namespace zelm
