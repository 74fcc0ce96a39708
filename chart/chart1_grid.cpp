#include "chart/chart1_grid.hpp"

#include "chart/chart1.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace zelm {
namespace {

// The x or y of the grid's k-th hundredth: the float of k / 100, as arrondir(v, 2) gives it.
float on_grid(std::int32_t k) { return static_cast<float>(static_cast<double>(k) / 100.0); }

std::uint32_t bits_of(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

}  // namespace

Chart1Grid::Chart1Grid() {
    const auto rows = chart1_rows();
    first_key_ = rows.front().key;
    for (std::int32_t key = first_key_; key <= rows.back().key; ++key) {
        keys_.push_back({bits_of(on_grid(key)), -1});
    }
    // Up to the first y at or beyond the highest threshold: from there on every row
    // stands at 90 degrees, and pente says so at once.
    double highest = 0.0;
    for (const ChartRow& row : rows) {
        highest = std::max(highest, row.threshold);
    }
    std::int32_t k = 0;
    do {
        y_bits_.push_back(bits_of(on_grid(k)));
    } while (static_cast<double>(on_grid(k++)) < highest);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        keys_[static_cast<std::size_t>(rows[r].key - first_key_)].row = static_cast<std::int32_t>(r);
        for (k = 0; k < static_cast<std::int32_t>(y_bits_.size()); ++k) {
            // A row with a threshold always has a verdict.
            angles_.push_back(*pente(on_grid(rows[r].key), on_grid(k)));
        }
    }
}

std::optional<float> Chart1Grid::angle(float x, float y) const {
    // The nearest hundredths, for an x and a y on the grid; whether they are is told by
    // their bits below. pente reads x through its key alone, which an x on the grid of a
    // key always rounds to: the table's angle is then pente's own.
    const double x_hundredths = 100.0 * static_cast<double>(x) + 0.5 - static_cast<double>(first_key_);
    const double y_hundredths = 100.0 * static_cast<double>(y) + 0.5;
    if (x_hundredths >= 0.0 && x_hundredths < static_cast<double>(keys_.size()) && y_hundredths >= 0.0 &&
        y_hundredths < static_cast<double>(y_bits_.size())) {  // also false for NaN
        const Key& key = keys_[static_cast<std::size_t>(x_hundredths)];
        const auto k = static_cast<std::size_t>(y_hundredths);
        if (key.row >= 0 && key.x_bits == bits_of(x) && y_bits_[k] == bits_of(y)) {
            return angles_[static_cast<std::size_t>(key.row) * y_bits_.size() + k];
        }
    }
    return pente(x, y);
}

const Chart1Grid& chart1_grid() {
    static const Chart1Grid grid;
    return grid;
}

}  // namespace zelm
