#include "messages/dialogue.hpp"

#include "messages/units.hpp"

namespace zelm {

std::string prompt(std::size_t value, Units units) {
    const UnitLabels& labels = labels_of(units);
    switch (value) {
        case 0:
            return "\tFriction angle \t\t[degree] :";
        case 1:
            return "\n\tCohesion \t\t[" + std::string(labels.stress) + "]\t:";
        case 2:
            // "Density" and "Unit weight" both end before the same tab stop.
            return "\n\t" + std::string(labels.weight_title) + (units == Units::si ? " " : "  ") + "\t\t[" +
                   std::string(labels.unit_weight) + "]\t:";
        case 3:
            return "\n\tHeight of the talus \t  [m]\t:";
        case 4:
            return "\n\tDefinition \t\t  [m]\t:";
        default:
            return "\n\tSecurity Factor \t\t  [m]\t:";
    }
}

}  // namespace zelm
