#include "sweep/unit_weight.hpp"

namespace zelm {
namespace {

constexpr Units other(Units units) { return units == Units::si ? Units::tonnes : Units::si; }

bool within(double value, Units units) {
    const UnitWeightRange range = unit_weights_of_soils(units);
    return value >= static_cast<double>(range.lowest) && value <= static_cast<double>(range.highest);
}

}  // namespace

double in_other_units(float value, Units from) {
    const auto weight = static_cast<double>(value);
    return from == Units::si ? weight / kilonewtons_per_tonne : weight * kilonewtons_per_tonne;
}

std::optional<UnitWeightOutOfRange> unit_weight_out_of_range(float value, std::optional<Units> units) {
    if (!(value > 0.0F)) {
        return std::nullopt;
    }
    const auto weight = static_cast<double>(value);
    if (!units) {
        if (within(weight, Units::tonnes) || within(weight, Units::si)) {
            return std::nullopt;
        }
        return UnitWeightOutOfRange{value, std::nullopt, value < unit_weights_of_soils(Units::tonnes).lowest,
                                    std::nullopt};
    }
    if (within(weight, *units)) {
        return std::nullopt;
    }
    UnitWeightOutOfRange out{value, units, value < unit_weights_of_soils(*units).lowest, std::nullopt};
    // Typed in the other units' numbers: 2 where kN/m3 are asked, meaning 2 Tn/m3.
    if (within(weight, other(*units))) {
        out.meant = other(*units);
    }
    return out;
}

}  // namespace zelm
