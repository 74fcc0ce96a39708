#pragma once

// The draws of an uncertain material: its friction angle, cohesion and density each a
// value known, or a normal or lognormal distribution truncated to the values that describe
// a soil. Draws come in blocks of a fixed size; draw i of block k is a function of the
// seed, k and i alone (Philox), so that a study gives the same draws however its blocks
// are shared between threads, processes or machines.

#include <cstddef>
#include <cstdint>
#include <span>

namespace zelm {

inline constexpr std::size_t draws_a_block = 4096;

enum class Spread : std::uint8_t { known, normal, lognormal };

// One of the three values: known (`mean` itself), or distributed with that mean and
// standard deviation, in the value's own units.
struct UncertainValue {
    Spread spread = Spread::known;
    double mean = 0.0;
    double sd = 0.0;
};

// The material: its three values, and the correlation of the friction angle's and the
// cohesion's normal scores (-1 to 1).
struct UncertainMaterial {
    UncertainValue friction_angle;
    UncertainValue cohesion;
    UncertainValue density;
    double correlation = 0.0;
};

struct DrawnMaterial {
    double friction_angle;
    double cohesion;
    double density;
};

// The material as the page's check and the workbook of a design run draw it about the
// values entered: the friction angle normal, the cohesion lognormal (normal where it is
// not above 0, its draws below 0 drawn again), each known where its standard deviation is
// 0; the density known.
UncertainMaterial entered_material(double friction_angle, double friction_angle_sd, double cohesion,
                                   double cohesion_sd, double density);

// Whether the three describe a soil: a friction angle at least 0 and below 90 degrees, a
// cohesion at least 0, a density above 0.
bool describes_a_soil(const DrawnMaterial& material);

// The draws of block `block` of the study seeded `seed`, one for each
// element of `out`: a draw with a value that describes no soil is drawn again whole, in
// its place (NaN in all three after 1,000 such draws, which a distribution whose mean
// describes a soil never comes near).
void draw_block(const UncertainMaterial& material, std::uint64_t seed, std::uint64_t block,
                std::span<DrawnMaterial> out);

}  // namespace zelm
