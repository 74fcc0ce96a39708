// The six values of one run, as typed at the console, and the units they were typed in.
#pragma once

namespace zelm {

// The units of the cohesion and the density. The chart reads their ratio, so any
// consistent pair gives the same rows; only the labels follow the choice.
enum class Units {
    tonnes,  // C' in Tn/m2, d in Tn/m3
    si,      // C' in kPa, d in kN/m3
};

struct ChartInputs {
    float friction_angle;   // phi, degrees (the sweep alone works in radians)
    float cohesion;         // C', in the run's units of stress
    float density;          // d, in the run's units of unit weight
    float height;           // Hmax, the height of the talus, m
    float definition;       // the height step, m
    float security_factor;  // FS, the factor of safety to reach
    Units units = Units::tonnes;
};

}  // namespace zelm
