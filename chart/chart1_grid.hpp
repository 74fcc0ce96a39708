// Chart 1's slope angles read once on the chart's own grid, for a caller that reads the
// chart millions of times with an x and a y that change from one reading to the next (a
// probabilistic study, a table of friction angles and cohesions), or many rows at one y
// (the check of a standing slope). The sweep reads the chart at x and y rounded to
// hundredths, so the angles on that grid are few: each is taken here from pente itself
// and kept, bit for bit, and a reading on the grid costs a look-up instead of six row
// searches and three powers.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace zelm {

class Chart1Grid {
  public:
    Chart1Grid();

    // The rows of chart 1 at one y, read by their keys (hundredths of x).
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
        static AtY untabled(float y) { return {nullptr, nullptr, y}; }

      private:
        friend class Chart1Grid;
        const float* tabled(std::int32_t key) const;  // the angle of the row, if tabled
        AtY(const Chart1Grid* grid, const float* tabled, float y) : grid_(grid), tabled_(tabled), y_(y) {}
        const Chart1Grid* grid_;  // nothing where no angle is tabled
        const float* tabled_;     // the angles of every key at y, or nothing off the table
        float y_;
    };

    // For a caller that reads many rows at the same y.
    AtY at(float y) const;

    // pente(x, y), bit for bit: from the table for an x on the grid of a row and a y that
    // is the float of k / 100 with k from 0 up to where every row stands at 90 degrees,
    // or any y beyond that; from pente itself for any other x or y (negative, not a
    // number, off the grid).
    std::optional<float> angle(float x, float y) const;

  private:
    // Where the angles of y are tabled, or nothing.
    const float* tabled(float y) const;

    // A key of chart 1 (its hundredths of x) as the grid holds it.
    struct Key {
        std::uint32_t x_bits;  // the float of key / 100, the x on the grid that reads it
        bool has_row;          // chart 1 has a row there
    };
    std::int32_t first_key_ = 0;
    std::vector<Key> keys_;              // from first_key_ on, one per hundredth of x
    std::vector<std::uint32_t> y_bits_;  // the grid's y, the float of k / 100, for k from 0 on
    std::vector<float> angles_;          // keys_.size() angles for each y, y by y
};

// The grid, made on first use and constant from then on.
const Chart1Grid& chart1_grid();

}  // namespace zelm
