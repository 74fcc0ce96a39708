#include "chart/chart_grid.hpp"

#include "chart/design_chart.hpp"
#include "chart/float_bits.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zelm {

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

ChartGrid::AtY ChartGrid::at(float y) const { return {chart_, this, tabled(y), y}; }

}  // namespace zelm
