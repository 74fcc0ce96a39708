#include "probability/draws.hpp"

#include "probability/philox.hpp"

#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace zelm {

namespace {

constexpr int attempts = 1000;

// A double in (0, 1), never 0, from the 53 high bits of `high` and `low`'s words.
double open_unit(std::uint32_t high, std::uint32_t low) {
    const std::uint64_t bits = (std::uint64_t{high} << 32U | low) >> 11U;
    return (static_cast<double>(bits) + 0.5) * 0x1p-53;
}

// Two independent standard normal scores from one Philox output (Box and Muller, 1958).
std::array<double, 2> normal_pair(const PhiloxWords& words) {
    const double radius = std::sqrt(-2.0 * std::log(open_unit(words[0], words[1])));
    const double turn = 2.0 * std::numbers::pi * open_unit(words[2], words[3]);
    return {radius * std::cos(turn), radius * std::sin(turn)};
}

double value_of(const UncertainValue& value, double z) {
    switch (value.spread) {
        case Spread::normal:
            return value.mean + value.sd * z;
        case Spread::lognormal: {
            // The lognormal whose own mean and standard deviation are the value's.
            const double ratio = value.sd / value.mean;
            const double sigma = std::sqrt(std::log1p(ratio * ratio));
            return std::exp(std::log(value.mean) - 0.5 * sigma * sigma + sigma * z);
        }
        case Spread::known:
            break;
    }
    return value.mean;
}

DrawnMaterial drawn(const UncertainMaterial& material, std::uint64_t seed, std::uint64_t block,
                    std::size_t index) {
    const PhiloxKey key{static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32U)};
    const double rho = material.correlation;
    for (std::uint32_t attempt = 0; attempt < attempts; ++attempt) {
        const auto counter = [&](std::uint32_t call) {
            return PhiloxWords{static_cast<std::uint32_t>(index), 2 * attempt + call,
                               static_cast<std::uint32_t>(block), static_cast<std::uint32_t>(block >> 32U)};
        };
        const auto [z_phi, z_own] = normal_pair(philox(counter(0), key));
        const double z_density = normal_pair(philox(counter(1), key))[0];
        const double z_cohesion = rho * z_phi + std::sqrt(1.0 - rho * rho) * z_own;
        const DrawnMaterial draw{value_of(material.friction_angle, z_phi),
                                 value_of(material.cohesion, z_cohesion),
                                 value_of(material.density, z_density)};
        if (describes_a_soil(draw)) {
            return draw;
        }
    }
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    return {nan, nan, nan};
}

}  // namespace

UncertainMaterial entered_material(double friction_angle, double friction_angle_sd, double cohesion,
                                   double cohesion_sd, double density) {
    const auto value = [](Spread spread, double mean, double sd) {
        return sd > 0.0 ? UncertainValue{spread, mean, sd} : UncertainValue{Spread::known, mean, 0.0};
    };
    return {value(Spread::normal, friction_angle, friction_angle_sd),
            value(cohesion > 0.0 ? Spread::lognormal : Spread::normal, cohesion, cohesion_sd),
            {Spread::known, density, 0.0},
            0.0};
}

bool describes_a_soil(const DrawnMaterial& material) {
    return material.friction_angle >= 0.0 && material.friction_angle < 90.0 && material.cohesion >= 0.0 &&
           material.density > 0.0;
}

void draw_block(const UncertainMaterial& material, std::uint64_t seed, std::uint64_t block,
                std::span<DrawnMaterial> out) {
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = drawn(material, seed, block, i);
    }
}

}  // namespace zelm
