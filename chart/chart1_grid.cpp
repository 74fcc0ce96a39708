#include "chart/chart1_grid.hpp"

#include "chart/chart1.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace zelm {
namespace {

// The y of the grid's k-th column: the float of k / 100, as arrondir(y, 2) gives it.
float grid_y(std::size_t k) { return static_cast<float>(static_cast<double>(k) / 100.0); }

std::uint32_t bits_of(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

}  // namespace

Chart1Grid::Chart1Grid() {
    const auto rows = chart1_rows();
    first_key_ = rows.front().key;
    const std::int32_t keys = rows.back().key - first_key_ + 1;
    row_of_key_.assign(static_cast<std::size_t>(keys), -1);
    // Up to the first y at or beyond the highest threshold: from there on every row
    // stands at 90 degrees, and pente says so at once.
    double highest = 0.0;
    for (const ChartRow& row : rows) {
        highest = std::max(highest, row.threshold);
    }
    while (static_cast<double>(grid_y(hundredths_)) < highest) {
        ++hundredths_;
    }
    ++hundredths_;
    angles_.reserve(rows.size() * hundredths_);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        row_of_key_[static_cast<std::size_t>(rows[r].key - first_key_)] = static_cast<std::int32_t>(r);
        const auto x = static_cast<float>(rows[r].key / 100.0);
        for (std::size_t k = 0; k < hundredths_; ++k) {
            angles_.push_back(*pente(x, grid_y(k)));  // a row with a threshold always has a verdict
        }
    }
}

std::optional<float> Chart1Grid::angle(float x, float y) const {
    const auto key = row_key(x);
    const double hundredths = std::round(100.0 * static_cast<double>(y));
    if (key && *key >= first_key_ && *key - first_key_ < static_cast<std::int32_t>(row_of_key_.size()) &&
        hundredths >= 0.0 && hundredths < static_cast<double>(hundredths_)) {  // also false for NaN
        const std::int32_t row = row_of_key_[static_cast<std::size_t>(*key - first_key_)];
        const auto k = static_cast<std::size_t>(hundredths);
        if (row >= 0 && bits_of(grid_y(k)) == bits_of(y)) {
            return angles_[static_cast<std::size_t>(row) * hundredths_ + k];
        }
    }
    return pente(x, y);
}

const Chart1Grid& chart1_grid() {
    static const Chart1Grid grid;
    return grid;
}

}  // namespace zelm
