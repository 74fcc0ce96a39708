#include "chart/chart_grid.hpp"

#include "chart/design_chart.hpp"
#include "chart/float_bits.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zelm {
namespace {

// The x or y of the grid's k-th hundredth: the float of k / 100, as arrondir(v, 2) gives it.
float on_grid(std::int32_t k) { return static_cast<float>(static_cast<double>(k) / 100.0); }

}  // namespace

ChartGrid::ChartGrid(const DesignChart& chart) : chart_(&chart) {
    const auto rows = chart.rows;
    first_key_ = rows.front().key;
    for (std::int32_t key = first_key_; key <= rows.back().key; ++key) {
        keys_.push_back({bits_of(on_grid(key)), false});
    }
    for (const ChartRow& row : rows) {
        keys_[static_cast<std::size_t>(row.key - first_key_)].has_row = true;
    }
    // Up to the first y at or beyond the highest threshold: from there on every row
    // stands at 90 degrees.
    double highest = 0.0;
    for (const ChartRow& row : rows) {
        highest = std::max(highest, row.threshold);
    }
    std::int32_t k = 0;
    do {
        y_bits_.push_back(bits_of(on_grid(k)));
        for (std::int32_t key = first_key_; key <= rows.back().key; ++key) {
            // A row with a threshold always has a verdict; a key without a row is never read.
            angles_.push_back(
                pente(chart, on_grid(key), on_grid(k)).value_or(std::numeric_limits<float>::quiet_NaN()));
        }
    } while (static_cast<double>(on_grid(k++)) < highest);
}

const float* ChartGrid::tabled(float y) const {
    // The nearest hundredth, for a y on the grid; whether it is is told by its bits.
    const double hundredths = 100.0 * static_cast<double>(y) + 0.5;
    const std::size_t last = y_bits_.size() - 1;
    // Half a hundredth past the last y tabled, y is beyond every threshold, on or off
    // the grid: every row stands at 90 degrees there, as at the last y tabled.
    if (hundredths >= static_cast<double>(last + 1)) {
        return &angles_[last * keys_.size()];
    }
    if (hundredths >= 0.0) {  // also false for NaN
        const auto k = static_cast<std::size_t>(hundredths);
        if (y_bits_[k] == bits_of(y)) {
            return &angles_[k * keys_.size()];
        }
    }
    return nullptr;
}

ChartGrid::AtY ChartGrid::at(float y) const { return {chart_, this, tabled(y), y}; }

const float* ChartGrid::AtY::tabled(std::int32_t key) const {
    if (tabled_ == nullptr || key < grid_->first_key_) {
        return nullptr;
    }
    const auto index = static_cast<std::size_t>(key - grid_->first_key_);
    return index < grid_->keys_.size() && grid_->keys_[index].has_row ? &tabled_[index] : nullptr;
}

std::optional<float> ChartGrid::AtY::angle(std::int32_t key) const {
    if (const float* angle = tabled(key)) {
        return *angle;
    }
    return pente(*chart_, on_grid(key), y_);
}

bool ChartGrid::AtY::at_least(std::int32_t key, float angle) const {
    if (const float* design = tabled(key)) {
        return *design >= angle;
    }
    const auto design = pente(*chart_, on_grid(key), y_);
    return design && *design >= angle;
}

std::optional<float> ChartGrid::angle(float x, float y) const {
    // pente reads x through its key alone, which an x on the grid of a key always rounds
    // to: the table's angle is then pente's own.
    const double hundredths = 100.0 * static_cast<double>(x) + 0.5 - static_cast<double>(first_key_);
    if (hundredths >= 0.0 && hundredths < static_cast<double>(keys_.size())) {  // also false for NaN
        const auto index = static_cast<std::size_t>(hundredths);
        const Key& key = keys_[index];
        const float* angles = key.has_row && key.x_bits == bits_of(x) ? tabled(y) : nullptr;
        if (angles != nullptr) {
            return angles[index];
        }
    }
    return pente(*chart_, x, y);
}

}  // namespace zelm
