#include "probability/failure_columns.hpp"

#include "numbers/writing.hpp"
#include "probability/draw_search.hpp"
#include "probability/failure.hpp"
#include "probability/study.hpp"

#include <algorithm>
#include <cmath>
#include <span>

namespace zelm {
namespace {

// The draws searched between two questions whether to stop: some 10 ms.
constexpr std::size_t draws_between_stops = 256;

}  // namespace

UncertainMaterial uncertain_material(const ChartInputs& entered, const MaterialUncertainty& uncertainty) {
    return entered_material(entered.friction_angle, uncertainty.friction_angle_sd, entered.cohesion,
                            uncertainty.cohesion_sd, entered.density);
}

FailureColumns::FailureColumns(const ChartInputs& entered)
    : entered_(entered), uncertainty_(entered.uncertainty.value_or(MaterialUncertainty{})) {}

void FailureColumns::draw() {
    const auto count = static_cast<std::size_t>(std::max(uncertainty_.draws, 1));
    draws_ = study_draws(uncertain_material(entered_, uncertainty_), uncertainty_.seed, count);
    fs_.resize(count);
}

FailureCells FailureColumns::next(const SweepRow& row, const BishopCells& bishop, const ShouldStop& stop) {
    if (!bishop.factor_of_safety || has_empty_angle(row)) {
        return {};
    }
    if (draws_.empty()) {
        draw();
    }
    HomogeneousSlope slope = row_slope(entered_, row);
    slope.face_angle = whole_value(*row.angle);
    const WarmStart nominal = nominal_start(slope);
    const std::span<const DrawnMaterial> draws(draws_);
    for (std::size_t first = 0; first < draws.size(); first += draws_between_stops) {
        const std::size_t size = std::min(draws_between_stops, draws.size() - first);
        draws_factors_of_safety(draws.subspan(first, size), slope, nominal,
                                std::span(fs_).subspan(first, size));
        if (asked_to_stop(stop)) {
            return {};
        }
    }
    // To a millionth, the upper bound rounded up: a cell holds a number that every
    // spreadsheet and every build of the workbook's library writes and reads alike.
    constexpr double millionths = 1e6;
    const FailureShare share = failure_share(fs_);
    FailureCells cells;
    if (!std::isnan(share.probability)) {
        cells.probability = std::round(share.probability * millionths) / millionths;
    }
    cells.upper = std::ceil(share.upper * millionths) / millionths;
    return cells;
}

}  // namespace zelm
