// A design chart's slope angles read once on the chart's own grid, for a caller that
// reads the chart millions of times with an x and a y that change from one reading to the
// next (a probabilistic study, a table of friction angles and cohesions), or many rows at
// one y (the check of a standing slope). The sweep reads the chart at x and y rounded to
// hundredths, so the angles on that grid are few: each is taken here from pente itself
// and kept, bit for bit, and a reading on the grid costs a look-up instead of six row
// searches and three powers. Each chart has one grid, made on first use
// (DesignChart::grid).
#pragma once

#include "chart/design_chart.hpp"
#include "chart/float_bits.hpp"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace zelm {

// The x or y of the grid's k-th hundredth: the float of k / 100, as arrondir(v, 2) gives it.
inline float on_grid(std::int32_t k) { return static_cast<float>(static_cast<double>(k) / 100.0); }

class ChartGrid {
  public:
    // The grid of one chart, which the grid reads from and refers to from then on.
    explicit ChartGrid(const DesignChart& chart);

    // The rows of the chart at one y, read by their keys (hundredths of x).
    class AtY {
      public:
        // pente(key / 100, y), bit for bit, x being the float of key / 100 as the sweep
        // holds it.
        std::optional<float> angle(std::int32_t key) const;

        // True when that angle is at least `angle`, false where there is none: what the
        // check of a slope asks of row after row, without an optional to pass around.
        bool at_least(std::int32_t key, float angle) const;

        // The rows at y read from pente itself, the same angles without the grid: for a
        // caller that reads the rows at a few y only (a short sweep), which would spend
        // more on making the grid than on reading them.
        static AtY untabled(const DesignChart& chart, float y) { return {&chart, nullptr, nullptr, y}; }

        // The chart the rows are read from.
        const DesignChart& chart() const { return *chart_; }

      private:
        friend class ChartGrid;
        const float* tabled(std::int32_t key) const;  // the angle of the row, if tabled
        AtY(const DesignChart* chart, const ChartGrid* grid, const float* tabled, float y)
            : chart_(chart), grid_(grid), tabled_(tabled), y_(y) {}
        const DesignChart* chart_;
        const ChartGrid* grid_;  // nothing where no angle is tabled
        const float* tabled_;    // the angles of every key at y, or nothing off the table
        float y_;
    };

    // For a caller that reads many rows at the same y.
    AtY at(float y) const;

    // pente(x, y), bit for bit: from the table for an x on the grid of a row and a y that
    // is the float of k / 100 with k from 0 up to where every row stands at 90 degrees,
    // or any y beyond that; from pente itself for any other x or y (negative, not a
    // number, off the grid).
    std::optional<float> angle(float x, float y) const;

    // The chart the grid holds the angles of.
    const DesignChart& chart() const { return *chart_; }

  private:
    // Where the angles of y are tabled, or nothing.
    const float* tabled(float y) const;

    // A key of the chart (its hundredths of x) as the grid holds it.
    struct Key {
        std::uint32_t x_bits;  // the float of key / 100, the x on the grid that reads it
        bool has_row;          // the chart has a row there
    };
    const DesignChart* chart_;
    std::int32_t first_key_ = 0;
    std::vector<Key> keys_;              // from first_key_ on, one per hundredth of x
    std::vector<std::uint32_t> y_bits_;  // the grid's y, the float of k / 100, for k from 0 on
    std::vector<float> angles_;          // keys_.size() angles for each y, y by y
};

// Inline, the readings below: a study reads the grid for every element, and a check
// reads every row at its y.

inline const float* ChartGrid::tabled(float y) const {
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

inline std::optional<float> ChartGrid::angle(float x, float y) const {
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

inline const float* ChartGrid::AtY::tabled(std::int32_t key) const {
    if (tabled_ == nullptr || key < grid_->first_key_) {
        return nullptr;
    }
    const auto index = static_cast<std::size_t>(key - grid_->first_key_);
    return index < grid_->keys_.size() && grid_->keys_[index].has_row ? &tabled_[index] : nullptr;
}

inline std::optional<float> ChartGrid::AtY::angle(std::int32_t key) const {
    if (const float* angle = tabled(key)) {
        return *angle;
    }
    return pente(*chart_, on_grid(key), y_);
}

inline bool ChartGrid::AtY::at_least(std::int32_t key, float angle) const {
    if (const float* design = tabled(key)) {
        return *design >= angle;
    }
    const auto design = pente(*chart_, on_grid(key), y_);
    return design && *design >= angle;
}

}  // namespace zelm
