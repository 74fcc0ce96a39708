#include "probability/study.hpp"

#include "probability/draw_search.hpp"

#include <algorithm>
#include <span>

namespace zelm {

std::vector<DrawnMaterial> study_draws(const UncertainMaterial& material, std::uint64_t seed,
                                       std::size_t count) {
    std::vector<DrawnMaterial> draws(count);
    for (std::size_t first = 0; first < count; first += draws_a_block) {
        const std::size_t size = std::min(draws_a_block, count - first);
        draw_block(material, seed, first / draws_a_block, std::span(draws).subspan(first, size));
    }
    return draws;
}

SlopeStudy study_slope(const UncertainMaterial& material, std::uint64_t seed, std::size_t count,
                       const HomogeneousSlope& slope) {
    SlopeStudy study;
    study.draws = study_draws(material, seed, count);
    study.fs.resize(count);
    const WarmStart nominal = nominal_start(slope);
    draws_factors_of_safety(study.draws, slope, nominal, study.fs);
    study.said = failure_statistics(study.fs);
    return study;
}

}  // namespace zelm
