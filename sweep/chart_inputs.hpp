// The six values of one run, as typed at the console.
#pragma once

namespace zelm {

struct ChartInputs {
    float friction_angle;   // phi, degrees (the sweep alone works in radians)
    float cohesion;         // C', Tn/m2
    float density;          // d, Tn/m3
    float height;           // Hmax, the height of the talus, m
    float definition;       // the height step, m
    float security_factor;  // FS, the factor of safety to reach
};

}  // namespace zelm
