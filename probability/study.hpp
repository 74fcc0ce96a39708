#pragma once

// A study of one slope whose material is uncertain: its draws, each draw's factor of
// safety by Bishop's method, and what they say together. The draws come block by block
// as draw_block gives them, so that a study of n draws holds the first n of any larger
// one with the same seed.

#include "probability/draws.hpp"
#include "probability/failure.hpp"
#include "slices/bishop.hpp"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zelm {

struct SlopeStudy {
    std::vector<DrawnMaterial> draws;
    std::vector<double> fs;  // NaN where a draw has none
    FailureStatistics said;
};

// The first `count` draws of `material` seeded `seed`, block after block.
std::vector<DrawnMaterial> study_draws(const UncertainMaterial& material, std::uint64_t seed,
                                       std::size_t count);

// `count` draws of `material` seeded `seed`, each on `slope` (its height, face and
// conditions; its material the nominal one the draws' searches start from).
SlopeStudy study_slope(const UncertainMaterial& material, std::uint64_t seed, std::size_t count,
                       const HomogeneousSlope& slope);

}  // namespace zelm
